#pragma once
// One key colour of a keyboard custom light group; alpha is the key's brightness.

#include <cstdint>

namespace morvek {

struct LightColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    bool operator==(const LightColor&) const = default;
};

}  // namespace morvek
