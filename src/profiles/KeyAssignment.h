#pragma once
// The function of a key or mouse button: three bytes (type, parameter 1, parameter 2), kept in
// profile documents as the integer type × 65536 + p1 × 256 + p2.

#include <cstdint>

namespace morvek {

struct KeyAssignment {
    uint8_t type = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;

    constexpr uint32_t Pack() const { return uint32_t(type) << 16 | uint32_t(p1) << 8 | p2; }
    // Bits above the low 24 are ignored.
    static constexpr KeyAssignment Unpack(uint32_t packed) {
        return {uint8_t(packed >> 16), uint8_t(packed >> 8), uint8_t(packed)};
    }

    bool operator==(const KeyAssignment&) const = default;
};

}  // namespace morvek
