#pragma once
// MousePadLight: what the pad's light thread computes into the LED buffer. Time runs in passes
// of 1 ms: each pass counts towards the step of the light mode (28, 23, 18, 13 or 7 passes by
// speed level, the same for every mode) or, for the modes without a step (5 and above 8),
// plays the profile's effect sequence; after every pass the per-LED effects are laid on top.
// Pass() runs the passes that went by on a millisecond clock and says how long the thread may
// sleep before the next one that changes anything, but at least kLightThreadMinWait: each frame
// (every 50 ms) runs the passes that went by before it is built, so waking every millisecond for
// the effect sequence would only cost time.
//
// Not thread-safe: the pad model calls it under its LED lock.

#include <chrono>
#include <cstdint>
#include <vector>

#include "devicelink/LightEngine.h"
#include "devicelink/LightPassClock.h"
#include "devices/lighting/LightEffectPlayer.h"
#include "devices/lighting/LightGate.h"
#include "devices/lighting/MousePadWaveSteps.h"
#include "devices/lighting/PerKeyLightEffects.h"
#include "profiles/LedRecord.h"
#include "profiles/LightEffectStep.h"

namespace morvek {

class MousePadLight {
public:
    static constexpr uint32_t kPassMs = 1;
    // At most this many passes are caught up after a late wake-up.
    static constexpr uint32_t kMaxCatchUpPasses = kLightMaxCatchUp.count() / kPassMs;
    // The thread sleeps at least this many passes; each frame runs the passes that went by
    // before it is built (kLightThreadMinWait).
    static constexpr uint32_t kMinWaitPasses = kLightThreadMinWait.count() / kPassMs;

    // The step of mode 0; the headset, which runs the pad's light, has a wave of its own.
    using WaveStep = void (*)(LightEngine& engine);

    explicit MousePadLight(LightEngine& engine, WaveStep wave = &MousePadWaveSteps::StepWave)
        : engine_(engine), wave_(wave) {}

    void SetEffectSequence(std::vector<LightEffectStep> steps) { player_.SetSequence(std::move(steps)); }
    void SetLedRecords(std::vector<LedRecord> records) { perLed_.SetRecords(std::move(records)); }

    // One pass: the mode's step when the pass count reaches its interval (or the player), then
    // the per-LED effects.
    void RunPass(uint32_t nowMs);
    // Runs the passes due at nowMs and returns the time until the next one that changes
    // anything, but at least kMinWaitPasses. A closed gate computes nothing; the passes count
    // afresh when it opens.
    std::chrono::milliseconds Pass(uint32_t nowMs, LightGate gate = LightGate::Run);

    uint32_t PassCount() const { return passCount_; }

private:
    uint32_t PassesUntilWork() const;

    LightEngine& engine_;
    WaveStep wave_;
    MousePadWaveSteps waves_;
    LightEffectPlayer player_;
    PerKeyLightEffects perLed_;
    uint32_t passCount_ = 0;
    LightPassClock passes_{kPassMs, kMaxCatchUpPasses};
};

}  // namespace morvek
