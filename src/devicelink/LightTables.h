#pragma once
// Constant tables of the light engine: brightness levels, speed factors, the four-colour list,
// the breathing curve and the colour wheel.

#include <array>
#include <cstdint>

#include "devicelink/LightLedEntry.h"

namespace morvek {

// The colour wheel runs once around the hue circle in this many entries.
constexpr int kColourWheelCycle = 192;
// Length of the breathing curve: a rise from 0 to 255 and the fall back to 0.
constexpr int kBreathingCycle = 128;
// Length of the wave curve: entries 16-63 of the breathing curve and the same in reverse.
constexpr int kWaveCurveCycle = 96;
// Milliseconds per unit of speed factor in the flash effects.
constexpr uint32_t kFlashMillisecondsPerFactor = 200;

// Brightness value (30 .. 255) of a brightness level 0-4; levels above 4 count as 4.
uint8_t BrightnessLevelValue(uint8_t level);
// Speed factor of a speed level 0-4 (28 for the slowest .. 7 for the fastest): the flash
// half-period in units of 200 ms, and the tick interval of stepped effects. Levels above 4 count as 4.
uint8_t SpeedFactor(uint8_t level);
// Entry of the four-colour list; the index wraps around the four entries.
LedColour FourColour(uint8_t index);
// The breathing curve, indexed by an effect phase below kBreathingCycle.
const std::array<uint8_t, kBreathingCycle>& BreathingCurve();
// The wave curve of the wave effects (22 rising to 255 and falling back to 22), indexed by a
// position below kWaveCurveCycle.
const std::array<uint8_t, kWaveCurveCycle>& WaveCurve96();
// The colour wheel, stored with 256 entries so that any byte indexes it: entries from 192 up
// repeat entries 0 .. 63.
const std::array<LedColour, 256>& ColourWheel();

}  // namespace morvek
