#include "devices/keyboard/preview/KeyboardPreview.h"

#include <algorithm>
#include <limits>

#include "devices/keyboard/preview/PreviewFadeSteps.h"
#include "devices/keyboard/preview/PreviewKeyReactions.h"
#include "devices/keyboard/preview/PreviewRippleSteps.h"
#include "devices/keyboard/preview/PreviewShow.h"
#include "devices/keyboard/preview/PreviewStartActions.h"
#include "devices/keyboard/preview/PreviewWaveSteps.h"
#include "devices/keyboard/preview/StepThresholdTable.h"

namespace morvek {

KeyboardPreview::KeyboardPreview(LightEngine& engine, uint32_t seed) : engine_(engine), state_(seed) {}

void KeyboardPreview::ChangeMode() {
    ResetEffects();
    StartMode(engine_.Settings().mode);
}

void KeyboardPreview::ResetEffects() { ResetLightEffects(engine_, state_); }

void KeyboardPreview::StartMode(uint8_t mode) { StartLightMode(mode, engine_, state_); }

void KeyboardPreview::OnDeviceKeyEvent(std::span<const uint8_t> slotMap, int slot, int kind) {
    morvek::OnDeviceKeyEvent(engine_, state_, slotMap, slot, kind);
}

void KeyboardPreview::Tick(uint32_t nowMs) {
    if (stepCounter_ < std::numeric_limits<uint32_t>::max()) ++stepCounter_;
    const LightSettings& settings = engine_.Settings();
    const auto threshold = StepThreshold(settings.mode, settings.speedLevel);
    if (!threshold) {
        player_.Pass(engine_, nowMs);
    } else if (stepCounter_ >= *threshold) {
        RunStep(settings.mode);
        stepCounter_ = 0;
    }
    perKey_.Apply(engine_, nowMs);
}

std::chrono::milliseconds KeyboardPreview::Pass(uint32_t nowMs, LightGate gate) {
    if (gate != LightGate::Run) {
        ticks_.Pause();
        return ClosedGateWait(gate);
    }
    const uint32_t due = ticks_.Due(nowMs);
    for (uint32_t tick = 0; tick < due; ++tick) Tick(nowMs);
    return ticks_.Until(std::max(TicksUntilWork(), kMinWaitTicks), nowMs);
}

uint32_t KeyboardPreview::TicksUntilWork() const {
    const LightSettings& settings = engine_.Settings();
    const auto threshold = StepThreshold(settings.mode, settings.speedLevel);
    if (!threshold || perKey_.Animated() || *threshold <= stepCounter_ + 1) return 1;
    return *threshold - stepCounter_;
}

void KeyboardPreview::RunStep(uint8_t mode) {
    switch (mode) {
    case 1: StepColumnWave(engine_); return;
    case 2: engine_.StepSpectrum(); return;
    case 3: StepRipple(engine_, state_); return;
    case 4: StepBandRainbow(engine_); return;
    case 5:
    case 20: StepKeyStates(engine_, state_); return;
    case 6: StepKeyboardStatic(engine_); return;
    case 7: StepRowRipple(engine_, state_); return;
    case 8: StepKeyboardBreathing(engine_); return;
    case 9: StepKeyPulse(engine_, state_); return;
    case 12: StepKeyPulseFast(engine_, state_); return;
    case 13: StepSweep(engine_); return;
    case 14: StepRowWave(engine_); return;
    case 15: StepColumnPulse(engine_); return;
    case 16: StepEdgeRipple(engine_, state_); return;
    case 19: engine_.StepFlash(); return;
    case 21: StepFrames(engine_); return;
    case 22: engine_.StepBreathingFourColours(); return;
    case 23: engine_.StepFlashFourColours(); return;
    case 24: engine_.ClearLeds(); return;
    case 34: StepColourCycle(engine_); return;
    case 35: StepCentreRipple(engine_, state_); return;
    case 36: StepShow(engine_, state_); return;
    case 37: StepSnakeWave(engine_); return;
    case 38: StepCustomLight(engine_); return;
    case 39: StepTwinkle(engine_, state_); return;
    default: return;
    }
}

}  // namespace morvek
