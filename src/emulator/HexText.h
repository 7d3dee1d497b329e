#pragma once
// Lower-case hex text of byte strings without separators, as dumps and state files use it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvek::emulator {

std::string ToHex(std::span<const uint8_t> bytes);
// Accepts upper- and lower-case digits; nothing for an odd length or a non-hex character.
std::optional<std::vector<uint8_t>> FromHex(std::string_view text);

}  // namespace morvek::emulator
