#pragma once
// The 12-byte light settings of a device model: what the light thread animates.

#include <array>
#include <cstdint>

#include "devicelink/LightLedEntry.h"

namespace morvek {

// How a device numbers its light modes: the keyboard its own way, the mouse, the mouse pad and
// the headset in one shared numbering.
enum class LightModeFamily { Keyboard, Shared };

struct LightSettings {
    uint8_t mode = 0;
    uint8_t brightnessLevel = 0;  // 0-4, index of the brightness levels
    uint8_t speedLevel = 0;       // 0-4, index of the speed factors
    uint8_t direction = 0;        // non-zero: counters run upwards
    uint8_t randomColour = 0;     // non-zero: colours come from the colour wheel
    LedColour colour;           // the configured colour
    std::array<uint8_t, 4> extra{};  // bytes 8-11, kept by the device kinds (keyboard: custom group in 11)

    bool operator==(const LightSettings&) const = default;
};
static_assert(sizeof(LightSettings) == 12);

}  // namespace morvek
