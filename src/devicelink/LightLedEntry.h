#pragma once
// Colours of the light engine: three colour bytes in LED-buffer order (which byte drives red,
// green or blue is decided by each device's frame layout), and one LED entry of the buffer.

#include <cstdint>

namespace morvek {

struct LedColour {
    uint8_t c0 = 0;
    uint8_t c1 = 0;
    uint8_t c2 = 0;

    bool operator==(const LedColour&) const = default;
};

// One LED of the LED buffer: its colour and its brightness (0-255).
struct LedEntry {
    LedColour colour;
    uint8_t brightness = 0;

    bool operator==(const LedEntry&) const = default;

    // The 32-bit form other threads hand over: c0 in the low byte, then c1, c2 and the
    // brightness in the high byte (the four bytes in buffer order on a little-endian machine).
    static constexpr LedEntry FromPacked(uint32_t packed) {
        return {{static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8), static_cast<uint8_t>(packed >> 16)},
                static_cast<uint8_t>(packed >> 24)};
    }
    constexpr uint32_t Packed() const {
        return static_cast<uint32_t>(colour.c0) | static_cast<uint32_t>(colour.c1) << 8 |
               static_cast<uint32_t>(colour.c2) << 16 | static_cast<uint32_t>(brightness) << 24;
    }
};

}  // namespace morvek
