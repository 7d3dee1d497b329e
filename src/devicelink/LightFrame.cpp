#include "devicelink/LightFrame.h"

namespace morvek {
namespace {

// LED 126 is the "no key" position of the key matrix; it never goes into a frame.
constexpr size_t kNoKeyLed = 126;

uint8_t Scaled(uint8_t value, uint8_t brightness) {
    return static_cast<uint8_t>(value * brightness / 256);
}

}  // namespace

LightFrame BuildLightFrame(std::span<const LedEntry> leds) {
    LightFrame frame;
    frame.bytes.assign(3 * leds.size(), 0);
    frame.previews.reserve(leds.size());
    for (size_t i = 0; i < leds.size(); ++i) {
        const LedEntry& led = leds[i];
        const LedColour& c = led.colour;
        frame.previews.push_back({static_cast<uint32_t>(c.c0) | static_cast<uint32_t>(c.c2) << 8 |
                                      static_cast<uint32_t>(c.c1) << 16,
                                  led.brightness});
        if (i == kNoKeyLed) {
            continue;
        }
        frame.bytes[3 * i] = Scaled(c.c0, led.brightness);
        frame.bytes[3 * i + 1] = Scaled(c.c1, led.brightness);
        frame.bytes[3 * i + 2] = Scaled(c.c2, led.brightness);
    }
    return frame;
}

}  // namespace morvek
