#pragma once
// The headset's own light step, its wave (mode 0); for every other mode the headset runs the
// mouse pad's light (MousePadLight) over its LEDs. Not thread-safe: call under the model's LED lock.

#include <cstdint>

#include "devicelink/LightEngine.h"

namespace morvek {

// Wheel colours 16 entries apart with random colour; else the configured colour under the
// wave curve, 10 places apart, moving 3 places a step.
void StepHeadsetWave(LightEngine& engine);

}  // namespace morvek
