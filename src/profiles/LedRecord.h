#pragma once
// The per-LED light setting of a profile's "LightList", one per LED in LED order.

#include <cstdint>

namespace morvek {

struct LedRecord {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    bool direction = false;
    bool multiColor = false;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool present = false;  // false for a null element of the list

    bool operator==(const LedRecord&) const = default;
};

}  // namespace morvek
