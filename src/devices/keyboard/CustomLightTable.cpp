#include "devices/keyboard/CustomLightTable.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace morvek {
namespace {

constexpr int kLightTableIndex = 0;
constexpr int kLightTableStride = static_cast<int>(kCustomLightKeyCount);
constexpr auto kFailurePause = std::chrono::milliseconds(200);

uint8_t Scaled(uint8_t colour, uint8_t brightness) { return static_cast<uint8_t>(colour * brightness / 256); }

}  // namespace

LedColourTable BuildLedColourTable(std::span<const LedEntry> leds, std::span<const uint8_t> keyLedMap) {
    LedColourTable table{};
    const size_t keys = std::min({leds.size(), keyLedMap.size(), kCustomLightKeyCount});
    for (size_t key = 0; key < keys; ++key) {
        const size_t position = keyLedMap[key];
        if (position >= kCustomLightKeyCount) continue;
        const LedEntry& led = leds[key];
        table[3 * position] = Scaled(led.colour.c0, led.brightness);
        table[3 * position + 1] = Scaled(led.colour.c1, led.brightness);
        table[3 * position + 2] = Scaled(led.colour.c2, led.brightness);
    }
    return table;
}

int WriteLedColourTable(CHidChannel& channel, const LedColourTable& table) {
    if (!channel.IsOpen()) return kResultNoAnswer;
    const int result = channel.WriteLightTable(table.data(), table.size(), kLightTableIndex, kLightTableStride);
    if (result != kResultSuccess) std::this_thread::sleep_for(kFailurePause);
    return result;
}

}  // namespace morvek
