#pragma once
// The headset's light steps: its own wave (mode 0) and, for every other mode, the mouse pad's
// steps over the headset's LEDs. Not thread-safe: call under the model's LED lock.

#include <cstdint>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/MousePadWaveSteps.h"

namespace morvek {

// Wheel colours 16 entries apart with random colour; else the configured colour under the
// wave curve, 10 places apart, moving 3 places a step.
void StepHeadsetWave(LightEngine& engine);

// One step of the mode (the pad's mode table with the headset's wave); false for the
// effect-sequence modes, which the caller plays itself.
bool RunHeadsetStep(uint8_t mode, LightEngine& engine, MousePadWaveSteps& waves);

}  // namespace morvek
