#pragma once
// How often the keyboard preview steps each light mode: the ticks between two steps by speed
// level, for the modes that have a step of their own. The other modes play the effect
// sequence instead.

#include <cstdint>
#include <optional>

namespace morvek {

// Ticks between two steps of mode at speedLevel (0-4; higher levels count as 4); none for a
// mode without a step. 0 means every tick.
std::optional<uint8_t> StepThreshold(uint8_t mode, uint8_t speedLevel);

}  // namespace morvek
