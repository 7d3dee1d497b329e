#pragma once
// The keyboard preview's ripple steps: row-bit ripples started by key presses (modes 3 and 7),
// from the edges (mode 16) and from the centre (mode 35). Each call is one step; call under
// the model's LED lock.

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"

namespace morvek {

// Lights the keys under the ripples' bits (random colours when the flag is set).
void MarkRowBitKeys(LightEngine& engine, KeyboardPreviewState& state);
// Mode 3: the ripples spread diagonally; every key fades.
void StepRipple(LightEngine& engine, KeyboardPreviewState& state);
// Mode 7: the ripples run along their rows; every key fades.
void StepRowRipple(LightEngine& engine, KeyboardPreviewState& state);
// Mode 16: ripples begin anew at the left and right edges; the keys of SnakePath fade.
void StepEdgeRipple(LightEngine& engine, KeyboardPreviewState& state);
// Mode 35: ripples begin anew in the centre and spread on every second step; every key fades.
void StepCentreRipple(LightEngine& engine, KeyboardPreviewState& state);

}  // namespace morvek
