#pragma once
// The light settings of a keyboard or pad model and the profile's "LightInfo" words they are
// stored as: word 0 = mode, brightness, speed, direction; word 1 = random-colour flag, red,
// green, blue; word 2 = the keyboard's custom light group in its high byte.

#include <cstdint>

#include "devicelink/LightSettings.h"
#include "profiles/BasicProfiledata.h"

namespace morvek {

// Light mode of the keyboard's per-key colours (the custom light groups).
constexpr uint8_t kKeyboardCustomLightMode = 38;
// Highest brightness and speed level of the panel's sliders.
constexpr uint8_t kLightLevelMax = 4;

LightSettings LightSettingsFromWords(const LightInfoWords& words);
LightInfoWords LightInfoWordsFromSettings(const LightSettings& settings);

// Byte 11 of the light settings: the keyboard's custom light group.
uint8_t CustomLightGroupOf(const LightSettings& settings);
void SetCustomLightGroupOf(LightSettings& settings, uint8_t group);

// The speed byte the devices store, 4 - speed level, and back. Levels and bytes above 4 count
// as 4, so a stray value can never wrap around to a huge level.
uint8_t SpeedByteOfLevel(uint8_t level);
uint8_t SpeedLevelOfByte(uint8_t byte);

}  // namespace morvek
