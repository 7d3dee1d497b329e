#pragma once
// One DPI stage of the mouse. Its nine bytes are the same in memory, in the profile and in the
// device's settings block: enable, separate axes, DPI X and DPI Y (little-endian, in DPI
// steps), red, green, blue.

#include <array>
#include <cstdint>

namespace morvek {

struct DpiStageRecord {
    static constexpr size_t kBytes = 9;

    uint8_t enable = 0;        // 1: the mouse's DPI button stops at this stage
    uint8_t separateAxes = 0;  // 1: X and Y differ
    uint16_t dpiX = 0;
    uint16_t dpiY = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    constexpr std::array<uint8_t, kBytes> ToBytes() const {
        return {enable, separateAxes, uint8_t(dpiX), uint8_t(dpiX >> 8), uint8_t(dpiY), uint8_t(dpiY >> 8),
                red, green, blue};
    }
    static constexpr DpiStageRecord FromBytes(const std::array<uint8_t, kBytes>& b) {
        return {b[0], b[1], uint16_t(b[2] | b[3] << 8), uint16_t(b[4] | b[5] << 8), b[6], b[7], b[8]};
    }

    bool operator==(const DpiStageRecord&) const = default;
};

}  // namespace morvek
