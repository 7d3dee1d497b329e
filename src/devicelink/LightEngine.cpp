#include "devicelink/LightEngine.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "devicelink/LightCounter.h"
#include "devicelink/LightTables.h"

namespace morvek {
namespace {

// Colour index of the breathing effect: 0, 16, ..., 192, then 0 again (192 shows entry 0).
constexpr int kBreathingColourStep = 16;
constexpr int kBreathingColourLast = 192;
// Wheel phase of the flash effect: 0, 16, ..., 176, then 0 again.
constexpr int kFlashPhaseStep = 16;
constexpr int kFlashPhaseLast = 191;
constexpr uint8_t kFourColourLast = 3;
constexpr uint8_t kFullFade = 255;
constexpr size_t kWaveMarkedKeys = 9;
static_assert(LightEngine::kWaveByteCount <= LightEngine::kFadeKeyCount, "every wave byte has a key");

uint8_t NextFourColourIndex(uint8_t index) {
    return index >= kFourColourLast ? 0 : static_cast<uint8_t>(index + 1);
}

}  // namespace

uint32_t LightEngine::SteadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

LightEngine::LightEngine() : LightEngine(SteadyMilliseconds) {}

LightEngine::LightEngine(Clock clock) : clock_(std::move(clock)) {}

void LightEngine::SetLightCount(size_t count) {
    leds_.assign(count, LedEntry{});
}

void LightEngine::SetLedColour(int index, uint32_t packedEntry) {
    if (index >= 0 && static_cast<size_t>(index) < leds_.size()) {
        leds_[static_cast<size_t>(index)] = LedEntry::FromPacked(packedEntry);
    }
}

uint32_t LightEngine::GetLedColour(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= leds_.size()) {
        return 0;
    }
    return leds_[static_cast<size_t>(index)].Packed();
}

void LightEngine::StepBreathing() {
    phase_ = StepCounter(settings_.direction != 0, kBreathingCycle, phase_, 1);
    if (phase_ == 0) {
        const int next = colourIndex_ + kBreathingColourStep;
        colourIndex_ = next > kBreathingColourLast ? 0 : static_cast<uint8_t>(next);
    }
    Fill({ConfiguredOrWheel(colourIndex_), BreathingBrightness()});
}

void LightEngine::StepBreathingFourColours() {
    phase_ = StepCounter(settings_.direction != 0, kBreathingCycle, phase_, 1);
    if (phase_ == 0) {
        colourIndex_ = NextFourColourIndex(colourIndex_);
    }
    Fill({FourColour(colourIndex_), BreathingBrightness()});
}

void LightEngine::StepStatic() {
    Fill({settings_.colour, BrightnessValue()});
}

void LightEngine::StepSpectrum() {
    phase_ = StepCounter(settings_.direction != 0, kColourWheelCycle, phase_, 1);
    Fill({ColourWheel()[phase_], BrightnessValue()});
}

void LightEngine::StepFlash() {
    if (ToggleFlashWhenDue()) {
        const int next = phase_ + kFlashPhaseStep;
        phase_ = next > kFlashPhaseLast ? 0 : static_cast<uint8_t>(next);
    }
    Fill(flashOn_ ? LedEntry{ConfiguredOrWheel(phase_), BrightnessValue()} : LedEntry{});
}

void LightEngine::StepFlashFourColours() {
    if (ToggleFlashWhenDue()) {
        phase_ = NextFourColourIndex(phase_);
    }
    Fill(flashOn_ ? LedEntry{FourColour(phase_), BrightnessValue()} : LedEntry{});
}

void LightEngine::ClearLeds() {
    Fill({});
}

int LightEngine::StepKeyFade(int key, bool fast) {
    if (key < 0 || static_cast<size_t>(key) >= fadeLevels_.size()) {
        return 0;
    }
    uint8_t& level = fadeLevels_[static_cast<size_t>(key)];
    if (level >= 128) {
        level -= 40;
    } else if (level & 0x40) {
        level -= 30;
    } else if (level & 0x20) {
        level -= 10;
    } else if (level > 16) {
        level -= 8;
    } else if (level != 0) {
        level = static_cast<uint8_t>(fast ? level - 1 : std::max(level - 4, 0));
    }
    return level;
}

void LightEngine::MarkWaveKeys() {
    for (size_t key = 0; key < kWaveMarkedKeys; ++key) {
        if (wave_[key] != 0) {
            fadeLevels_[key] = kFullFade;
        }
    }
}

void LightEngine::MarkWaveKeysPerLed() {
    const size_t end = std::min(leds_.size() + 1, wave_.size());
    for (size_t key = 1; key < end; ++key) {
        if (wave_[key] != 0) {
            fadeLevels_[key] = kFullFade;
        }
    }
}

void LightEngine::ShiftWave(bool up) {
    if (up) {
        std::rotate(wave_.begin(), wave_.end() - 1, wave_.end());
    } else {
        std::rotate(wave_.begin(), wave_.begin() + 1, wave_.end());
    }
}

void LightEngine::ClearEffectBuffers() {
    fadeLevels_.fill(0);
    wave_.fill(0);
}

void LightEngine::Fill(LedEntry entry) {
    std::fill(leds_.begin(), leds_.end(), entry);
}

LedColour LightEngine::ConfiguredOrWheel(uint8_t index) const {
    return settings_.randomColour != 0 ? ColourWheel()[index] : settings_.colour;
}

uint8_t LightEngine::BrightnessValue() const {
    return BrightnessLevelValue(settings_.brightnessLevel);
}

uint8_t LightEngine::BreathingBrightness() const {
    return static_cast<uint8_t>(BreathingCurve()[phase_] * BrightnessValue() / 256);
}

bool LightEngine::ToggleFlashWhenDue() {
    const uint32_t now = clock_();
    if (now - flashTimeMs_ < SpeedFactor(settings_.speedLevel) * kFlashMillisecondsPerFactor) {
        return false;
    }
    flashOn_ = !flashOn_;
    flashTimeMs_ = now;
    return true;
}

}  // namespace morvek
