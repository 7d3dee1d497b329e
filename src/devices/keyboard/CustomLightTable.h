#pragma once
// The keyboard's per-key colour table of the custom light mode: three colour bytes per LED
// position, built from the LED buffer and written with the light table command.

#include <array>
#include <cstdint>
#include <span>

#include "devicelink/HidChannel.h"
#include "devicelink/LightLedEntry.h"

namespace morvek {

constexpr size_t kCustomLightKeyCount = 126;
constexpr size_t kLedColourTableSize = kCustomLightKeyCount * 3;
using LedColourTable = std::array<uint8_t, kLedColourTableSize>;

// For each key k with an LED entry and an LED position p = keyLedMap[k] below 126, bytes 3p,
// 3p + 1, 3p + 2 are the key's colour bytes scaled by its brightness (x brightness div 256).
// Positions no key maps to stay 0.
LedColourTable BuildLedColourTable(std::span<const LedEntry> leds, std::span<const uint8_t> keyLedMap);

// Writes the table as light table 0 (stride 126). A failed write is followed by a 200 ms
// pause, so a failing keyboard is not flooded; a closed channel gives 0 at once.
int WriteLedColourTable(CHidChannel& channel, const LedColourTable& table);

}  // namespace morvek
