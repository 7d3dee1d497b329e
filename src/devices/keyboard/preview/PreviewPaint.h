#pragma once
// Painting keys of the keyboard preview into the LED buffer. Keys outside the LED buffer
// (kNoKey among them) are never painted.

#include <cstdint>

#include "devicelink/LightEngine.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {

// a x b div 256, the product of two brightness values.
constexpr uint8_t ScaleBrightness(int a, int b) { return static_cast<uint8_t>(a * b / 256); }

// value + step, less modulo when it reaches modulo (value below modulo).
constexpr uint8_t PlusModulo(int value, int step, int modulo) {
    const int next = value + step;
    return static_cast<uint8_t>(next >= modulo ? next - modulo : next);
}

// L: the value of the configured brightness level.
uint8_t LevelValue(const LightEngine& engine);
// The wheel entry at the key's colour index with random colours, else the configured colour.
LedColour KeyColour(const LightEngine& engine, KeyIndex key);
void PaintKey(LightEngine& engine, KeyIndex key, LedColour colour, uint8_t brightness);
// The key in its key colour at L x its fade level div 256.
void FadePaintKey(LightEngine& engine, KeyIndex key);
// StepKeyFade (fast) and then FadePaintKey for the key.
void FadeAndPaintKey(LightEngine& engine, KeyIndex key);
// FadeAndPaintKey for every key 0-125.
void FadeAllKeys(LightEngine& engine);

}  // namespace morvek
