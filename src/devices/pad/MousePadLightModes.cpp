#include "devices/pad/MousePadLightModes.h"

#include "devicelink/LightTables.h"

namespace morvek {

MousePadLightStep MousePadStepOfMode(uint8_t mode) {
    switch (mode) {
    case 0: return MousePadLightStep::Wave;
    case 1: return MousePadLightStep::Spectrum;
    case 2: return MousePadLightStep::Breathing;
    case 3: return MousePadLightStep::Static;
    case 4: return MousePadLightStep::Flash;
    case 6: return MousePadLightStep::FadingWave;
    case 7: return MousePadLightStep::PairedWave;
    case 8: return MousePadLightStep::Clear;
    default: return MousePadLightStep::EffectSequence;
    }
}

uint8_t MousePadStepInterval(uint8_t speedLevel) { return SpeedFactor(speedLevel); }

bool RunMousePadStep(uint8_t mode, LightEngine& engine, MousePadWaveSteps& waves) {
    switch (MousePadStepOfMode(mode)) {
    case MousePadLightStep::Wave: MousePadWaveSteps::StepWave(engine); return true;
    case MousePadLightStep::Spectrum: engine.StepSpectrum(); return true;
    case MousePadLightStep::Breathing: engine.StepBreathing(); return true;
    case MousePadLightStep::Static: engine.StepStatic(); return true;
    case MousePadLightStep::Flash: engine.StepFlash(); return true;
    case MousePadLightStep::FadingWave: waves.StepFadingWave(engine); return true;
    case MousePadLightStep::PairedWave: waves.StepPairedWave(engine); return true;
    case MousePadLightStep::Clear: engine.ClearLeds(); return true;
    case MousePadLightStep::EffectSequence: return false;
    }
    return false;
}

}  // namespace morvek
