#include "devices/lighting/LightEffectPlayer.h"

#include <algorithm>
#include <array>
#include <utility>

#include "devicelink/LightTables.h"

namespace morvek {
namespace {

constexpr uint8_t kStaticPhases = 9;
constexpr int kFlashColourOffset = 14;
constexpr int kWaveSpacing = 12;
constexpr uint8_t kPassCounterLimit = 255;
// The spectrum's passes per phase by speed level; level 2 is faster than level 3.
constexpr std::array<uint8_t, 5> kSpectrumThresholds = {28, 23, 5, 13, 7};

enum class EntryMode : uint8_t { Breathing = 0, Static = 1, Flash = 2, Wave = 4, Spectrum = 5 };

LedColour ColourOf(const LightEffectStep& step) { return {step.red, step.green, step.blue}; }

uint8_t LevelOf(const LightEffectStep& step) { return BrightnessLevelValue(step.brightness); }

// value + 1, or 0 once that reaches count.
uint8_t NextPhase(uint8_t value, int count) { return value + 1 >= count ? 0 : static_cast<uint8_t>(value + 1); }

void FillLeds(LightEngine& engine, LedColour colour, uint8_t brightness) {
    const uint32_t packed = LedEntry{colour, brightness}.Packed();
    for (size_t led = 0; led < engine.LightCount(); ++led) engine.SetLedColour(static_cast<int>(led), packed);
}

}  // namespace

void LightEffectPlayer::SetSequence(std::vector<LightEffectStep> steps) {
    steps_ = std::move(steps);
}

void LightEffectPlayer::Pass(LightEngine& engine, uint32_t nowMs) {
    if (entry_ >= steps_.size()) entry_ = 0;
    if (steps_.empty()) {
        engine.ClearLeds();
        return;
    }
    const LightEffectStep step = steps_[entry_];
    if (!entryBeganMs_) entryBeganMs_ = nowMs;
    ++passes_;
    switch (static_cast<EntryMode>(step.mode)) {
    case EntryMode::Breathing: Breathe(engine, step); break;
    case EntryMode::Static: Hold(engine, step); break;
    case EntryMode::Flash: Flash(engine, step, nowMs); break;
    case EntryMode::Wave: Wave(engine, step); break;
    case EntryMode::Spectrum: Spectrum(engine, step); break;
    }
    if (passes_ >= kPassCounterLimit) passes_ = 0;
    if (step.time < 0 || nowMs - *entryBeganMs_ > static_cast<uint32_t>(step.time)) {
        entry_ = entry_ + 1 >= steps_.size() ? 0 : entry_ + 1;
        entryBeganMs_ = nowMs;
    }
}

bool LightEffectPlayer::Due(uint8_t threshold) {
    if (passes_ < threshold) return false;
    passes_ = 0;
    return true;
}

void LightEffectPlayer::Breathe(LightEngine& engine, const LightEffectStep& step) {
    if (phase_ >= kBreathingCycle) phase_ = 0;
    if (Due(SpeedFactor(step.speed))) phase_ = NextPhase(phase_, kBreathingCycle);
    const LedColour colour = step.multiColor != 0 ? ColourWheel()[0] : ColourOf(step);
    FillLeds(engine, colour, static_cast<uint8_t>(BreathingCurve()[phase_] * LevelOf(step) / 256));
}

void LightEffectPlayer::Hold(LightEngine& engine, const LightEffectStep& step) {
    if (Due(SpeedFactor(step.speed))) phase_ = NextPhase(phase_, kStaticPhases);
    FillLeds(engine, ColourOf(step), LevelOf(step));
}

void LightEffectPlayer::Flash(LightEngine& engine, const LightEffectStep& step, uint32_t nowMs) {
    phase_ = NextPhase(phase_, kBreathingCycle);
    Due(SpeedFactor(step.speed));
    const uint32_t halfPeriod = SpeedFactor(engine.Settings().speedLevel) * kFlashMillisecondsPerFactor;
    if (nowMs - flashTimeMs_ >= halfPeriod) {
        flashOn_ = !flashOn_;
        flashTimeMs_ = nowMs;
        const int colour = phase_ + kFlashColourOffset;
        flashColourIndex_ = colour >= kColourWheelCycle ? 0 : static_cast<uint8_t>(colour);
    }
    if (!flashOn_) {
        engine.ClearLeds();
        return;
    }
    const LedColour colour = step.multiColor != 0 ? ColourWheel()[flashColourIndex_] : ColourOf(step);
    FillLeds(engine, colour, LevelOf(step));
}

void LightEffectPlayer::Wave(LightEngine& engine, const LightEffectStep& step) {
    if (Due(SpeedFactor(step.speed))) phase_ = NextPhase(phase_, kColourWheelCycle);
    const uint8_t phase = phase_ % kColourWheelCycle;
    int position = step.direction != 0 ? (phase == 0 ? kColourWheelCycle - 1 : kColourWheelCycle - phase)
                                       : NextPhase(phase, kColourWheelCycle);
    const uint8_t level = LevelOf(step);
    for (size_t led = 0; led < engine.LightCount(); ++led) {
        LedEntry entry;
        if (step.multiColor != 0) {
            entry = {ColourWheel()[size_t(position)], level};
            position = (position + kWaveSpacing) % kColourWheelCycle;
        } else {
            position = (position + kWaveSpacing) % kWaveCurveCycle;
            entry = {ColourOf(step), static_cast<uint8_t>(level * WaveCurve96()[size_t(position)] / 256)};
        }
        engine.SetLedColour(static_cast<int>(led), entry.Packed());
    }
}

void LightEffectPlayer::Spectrum(LightEngine& engine, const LightEffectStep& step) {
    const uint8_t threshold = kSpectrumThresholds[std::min<size_t>(step.speed, kSpectrumThresholds.size() - 1)];
    if (Due(threshold)) phase_ = NextPhase(phase_, kColourWheelCycle);
    FillLeds(engine, ColourWheel()[phase_], LevelOf(step));
}

}  // namespace morvek
