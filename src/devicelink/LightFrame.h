#pragma once
// The light frame of the LED buffer: the bytes streamed to a device that takes frames, and the
// colour each light button of the page shows.

#include <cstdint>
#include <span>
#include <vector>

#include "devicelink/LightLedEntry.h"

namespace morvek {

// What a light button shows: the 24-bit colour c0 + c2 * 256 + c1 * 65536 at the brightness.
struct LedPreview {
    uint32_t colour = 0;
    uint8_t brightness = 0;

    bool operator==(const LedPreview&) const = default;
};

struct LightFrame {
    // Three bytes per LED at 3i, 3i + 1, 3i + 2: its colour bytes, each scaled by brightness / 256.
    std::vector<uint8_t> bytes;
    // One per LED.
    std::vector<LedPreview> previews;
};

LightFrame BuildLightFrame(std::span<const LedEntry> leds);

}  // namespace morvek
