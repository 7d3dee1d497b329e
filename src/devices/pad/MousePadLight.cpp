#include "devices/pad/MousePadLight.h"

#include "devices/pad/MousePadLightModes.h"

#include <algorithm>

namespace morvek {

void MousePadLight::RunPass(uint32_t nowMs) {
    const uint8_t mode = engine_.Settings().mode;
    if (MousePadStepOfMode(mode) == MousePadLightStep::EffectSequence) {
        player_.Pass(engine_, nowMs);
    } else if (++passCount_ >= MousePadStepInterval(engine_.Settings().speedLevel)) {
        passCount_ = 0;
        if (MousePadStepOfMode(mode) == MousePadLightStep::Wave) {
            wave_(engine_);
        } else {
            RunMousePadStep(mode, engine_, waves_);
        }
    }
    perLed_.Apply(engine_, nowMs);
}

std::chrono::milliseconds MousePadLight::Pass(uint32_t nowMs, LightGate gate) {
    if (gate != LightGate::Run) {
        passes_.Pause();
        return ClosedGateWait(gate);
    }
    const uint32_t due = passes_.Due(nowMs);
    for (uint32_t pass = 0; pass < due; ++pass) RunPass(nowMs);
    return passes_.Until(std::max(PassesUntilWork(), kMinWaitPasses), nowMs);
}

uint32_t MousePadLight::PassesUntilWork() const {
    if (MousePadStepOfMode(engine_.Settings().mode) == MousePadLightStep::EffectSequence || perLed_.Animated()) return 1;
    const uint32_t interval = MousePadStepInterval(engine_.Settings().speedLevel);
    return passCount_ + 1 >= interval ? 1 : interval - passCount_;
}

}  // namespace morvek
