#pragma once
// The keyboard preview's steps that light single keys and let them fade or pulse: key pulses,
// the sweep, the twinkle, the frames and the key states of the reactive modes. Each call is
// one step; call under the model's LED lock.

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"

namespace morvek {

// Mode 9: every key of SnakePath runs through the pulse curve on its own phase and takes a
// new random colour index at the end of each pulse.
void StepKeyPulse(LightEngine& engine, KeyboardPreviewState& state);
// Mode 12: the same with the fade level as the phase, two places per step.
void StepKeyPulseFast(LightEngine& engine, KeyboardPreviewState& state);
// Mode 13: one more key of SweepPath lights up per step, forwards or backwards; the keys of
// SnakePath fade.
void StepSweep(LightEngine& engine);
// Mode 39: six random keys of the first 104 places of SnakePath light up in random colours;
// every key fades.
void StepTwinkle(LightEngine& engine, KeyboardPreviewState& state);
// Mode 21: the keys of the next frame of FrameTable light up; every key fades by 5 and moves
// its colour index on by 3 up to 255.
void StepFrames(LightEngine& engine);
// Modes 5 and 20: held keys brighten by 15, released ones fade by 5.
void StepKeyStates(LightEngine& engine, const KeyboardPreviewState& state);

}  // namespace morvek
