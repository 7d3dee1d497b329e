#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace morvek::hid {

// A run of 1 to maxDigits hexadecimal digits (either case) and nothing else.
std::optional<uint32_t> ParseHexDigits(std::string_view digits, size_t maxDigits);

}  // namespace morvek::hid
