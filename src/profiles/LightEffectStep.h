#pragma once
// One step of a user light effect (the "LEDEffectList" of a ".light" file), in playing order.

#include <cstdint>

namespace morvek {

struct LightEffectStep {
    uint8_t mode = 0;
    uint8_t direction = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    int time = 0;   // milliseconds
    int cycle = 0;

    bool operator==(const LightEffectStep&) const = default;
};

}  // namespace morvek
