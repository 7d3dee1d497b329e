#pragma once
// What the keyboard preview does when the light mode changes: the effect state starts over and
// the new mode's start action sets up its keys. Call under the model's LED lock.

#include <cstdint>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"

namespace morvek {

// Effect phase, stage, fade levels and ripples start over; colour indices, pulse phases, key
// states and pressed flags keep their values.
void ResetLightEffects(LightEngine& engine, KeyboardPreviewState& state);
// The start action of mode (for the custom mode, after the model has loaded its custom group).
void StartLightMode(uint8_t mode, LightEngine& engine, KeyboardPreviewState& state);

// Mode 9: the keys of ColumnTableB get staggered pulse phases and a colour per column.
void StartColumnPhases(LightEngine& engine, KeyboardPreviewState& state);
// Mode 12: the keys of ColumnTableC get their KeyPatternTable phase and a colour per column.
void StartKeyPattern(LightEngine& engine);
// Every key k gets colour index 33 x (k + 1) modulo 192.
void StartColourIndices(LightEngine& engine);

}  // namespace morvek
