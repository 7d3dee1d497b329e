#include "devices/lighting/KeyboardLightSettings.h"

#include <algorithm>

namespace morvek {
namespace {

constexpr size_t kCustomGroupExtraIndex = 3;

uint8_t ByteOf(uint32_t word, int shift) { return static_cast<uint8_t>(word >> shift); }

uint32_t Word(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16 | uint32_t(b3) << 24;
}

}  // namespace

LightSettings LightSettingsFromWords(const LightInfoWords& words) {
    LightSettings s;
    s.mode = ByteOf(words[0], 0);
    s.brightnessLevel = ByteOf(words[0], 8);
    s.speedLevel = ByteOf(words[0], 16);
    s.direction = ByteOf(words[0], 24);
    s.randomColour = ByteOf(words[1], 0);
    s.colour = {ByteOf(words[1], 8), ByteOf(words[1], 16), ByteOf(words[1], 24)};
    s.extra = {ByteOf(words[2], 0), ByteOf(words[2], 8), ByteOf(words[2], 16), ByteOf(words[2], 24)};
    return s;
}

LightInfoWords LightInfoWordsFromSettings(const LightSettings& s) {
    return {Word(s.mode, s.brightnessLevel, s.speedLevel, s.direction),
            Word(s.randomColour, s.colour.c0, s.colour.c1, s.colour.c2),
            Word(s.extra[0], s.extra[1], s.extra[2], s.extra[3])};
}

uint8_t CustomLightGroupOf(const LightSettings& settings) { return settings.extra[kCustomGroupExtraIndex]; }

void SetCustomLightGroupOf(LightSettings& settings, uint8_t group) { settings.extra[kCustomGroupExtraIndex] = group; }

uint8_t SpeedByteOfLevel(uint8_t level) { return static_cast<uint8_t>(kLightLevelMax - std::min(level, kLightLevelMax)); }

// 4 - x is its own inverse on 0-4.
uint8_t SpeedLevelOfByte(uint8_t byte) { return SpeedByteOfLevel(byte); }

}  // namespace morvek
