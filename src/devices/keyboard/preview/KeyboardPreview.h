#pragma once
// KeyboardPreview: the keyboard's light preview over the model's light engine. It computes a
// look-alike of the keyboard's light mode into the LED buffer (one entry per KeyIndex), plays
// the profile's effect sequence for the modes without a step of their own, lays the per-key
// effects on top and lets key presses reach the reactive modes. Nothing here is sent to the
// keyboard.
//
// Time runs in ticks of 2 ms. Each tick is one pass: the step counter advances, the mode's
// step runs when the counter reaches the mode's threshold (or the player runs, for modes
// without a step), then the per-key effects. Pass() runs the ticks that elapsed on a
// millisecond clock and says how long the light thread may sleep before anything changes, so
// the thread wakes only when there is work.
//
// Not thread-safe: the model calls every operation under its LED lock (the light thread for
// Pass, the event reader for key events, the window's thread for mode changes and lists).

#include <chrono>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include "devicelink/LightEngine.h"
#include "devicelink/LightPassClock.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"
#include "devices/lighting/LightEffectPlayer.h"
#include "devices/lighting/LightGate.h"
#include "devices/lighting/PerKeyLightEffects.h"
#include "profiles/LedRecord.h"
#include "profiles/LightEffectStep.h"

namespace morvek {

class KeyboardPreview {
public:
    static constexpr uint32_t kTickMs = 2;
    // At most this many ticks are caught up at once (kLightMaxCatchUp).
    static constexpr uint32_t kMaxCatchUpTicks = kLightMaxCatchUp.count() / kTickMs;
    // The picture is shown every 50 ms and each frame runs the ticks that went by before it is
    // shown, so the thread itself wakes at most every kLightThreadMinWait.
    static constexpr uint32_t kMinWaitTicks = kLightThreadMinWait.count() / kTickMs;

    // seed: the random source of the effects that pick random keys and colours.
    explicit KeyboardPreview(LightEngine& engine, uint32_t seed = std::random_device{}());

    // The mode changed (to the engine's current mode): ResetEffects, then StartMode. For the
    // custom mode the model loads the custom group in between.
    void ChangeMode();
    // Effect phase, stage, fade levels and ripples start over.
    void ResetEffects();
    // The start action of mode.
    void StartMode(uint8_t mode);
    // A key event of the keyboard: device slot and kind (1 press, 2 release).
    void OnDeviceKeyEvent(std::span<const uint8_t> slotMap, int slot, int kind);

    void SetEffectSequence(std::vector<LightEffectStep> steps) { player_.SetSequence(std::move(steps)); }
    void SetLedRecords(std::vector<LedRecord> records) { perKey_.SetRecords(std::move(records)); }

    // One tick: the step or the player, then the per-key effects.
    void Tick(uint32_t nowMs);
    // Runs the ticks due at nowMs (at most kMaxCatchUpTicks) and returns the time until the
    // next tick that changes anything, but at least kMinWaitTicks. A closed gate computes
    // nothing and starts the tick count afresh when it opens.
    std::chrono::milliseconds Pass(uint32_t nowMs, LightGate gate = LightGate::Run);

    const KeyboardPreviewState& State() const { return state_; }
    KeyboardPreviewState& State() { return state_; }
    const LightEffectPlayer& Player() const { return player_; }
    uint32_t StepCounter() const { return stepCounter_; }

private:
    // Runs the step of a mode that has one.
    void RunStep(uint8_t mode);
    // Ticks from now until the next one that changes the picture.
    uint32_t TicksUntilWork() const;

    LightEngine& engine_;
    KeyboardPreviewState state_;
    LightEffectPlayer player_;
    PerKeyLightEffects perKey_;
    uint32_t stepCounter_ = 0;
    LightPassClock ticks_{kTickMs, kMaxCatchUpTicks};
};

}  // namespace morvek
