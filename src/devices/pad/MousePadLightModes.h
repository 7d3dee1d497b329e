#pragma once
// The mouse pad's light modes: the step its light thread runs for each mode and how often.

#include <cstdint>

#include "devicelink/LightEngine.h"
#include "devices/lighting/MousePadWaveSteps.h"

namespace morvek {

enum class MousePadLightStep : uint8_t {
    Wave,            // mode 0
    Spectrum,        // mode 1
    Breathing,       // mode 2
    Static,          // mode 3
    Flash,           // mode 4
    EffectSequence,  // mode 5 and every mode above 8: the effect-sequence player, every pass
    FadingWave,      // mode 6
    PairedWave,      // mode 7
    Clear,           // mode 8
};

MousePadLightStep MousePadStepOfMode(uint8_t mode);

// Passes of the light thread between two steps at a speed level (the same for every mode).
uint8_t MousePadStepInterval(uint8_t speedLevel);

// Runs one step of the mode's effect; false (nothing done) for the effect-sequence modes,
// which the caller plays itself.
bool RunMousePadStep(uint8_t mode, LightEngine& engine, MousePadWaveSteps& waves);

}  // namespace morvek
