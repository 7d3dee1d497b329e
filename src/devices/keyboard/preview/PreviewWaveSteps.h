#pragma once
// The keyboard preview's steps that paint the whole picture from the effect phase alone:
// waves, pulses, rainbows, the keyboard's own static and breathing, the colour cycle and the
// custom colours. Each call is one step; call under the model's LED lock.

#include "devicelink/LightEngine.h"

namespace morvek {

// Mode 1: the columns of ColumnTableA, 7 wheel entries or curve places apart.
void StepColumnWave(LightEngine& engine);
// Mode 14: the same over the rows, 30 wheel entries or 7 curve places apart.
void StepRowWave(LightEngine& engine);
// Mode 37: along SnakePath, 5 apart.
void StepSnakeWave(LightEngine& engine);
// Mode 15: the columns under the pulse curve (or 2 wheel entries apart).
void StepColumnPulse(LightEngine& engine);
// Mode 4: the bands of BandTable, 17 wheel entries apart, keys on SnakePath only.
void StepBandRainbow(LightEngine& engine);
// Mode 6: random colours give fixed band colours, else every LED has the configured colour.
void StepKeyboardStatic(LightEngine& engine);
// Mode 8: breathing, with random colours 7 wheel entries apart per column.
void StepKeyboardBreathing(LightEngine& engine);
// Mode 34: every key moves one wheel entry on.
void StepColourCycle(LightEngine& engine);
// Mode 38: every LED keeps its custom colour at the configured brightness.
void StepCustomLight(LightEngine& engine);

}  // namespace morvek
