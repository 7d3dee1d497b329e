#include "devices/lighting/SynchronisedLightEffect.h"

#include <chrono>
#include <utility>

#include "devicelink/LightCounter.h"
#include "devicelink/LightTables.h"

namespace morvek {
namespace {

constexpr uint8_t kBreathingColourStep = 16;
// The breathing colour moves on while the phase is below this (at the dark end of the curve).
constexpr uint8_t kBreathingColourTurn = 2;
constexpr uint8_t kFlashPhaseStep = 14;

uint32_t SteadyMilliseconds() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// index + step, 0 again once it reaches the colour wheel's cycle.
uint8_t AdvanceOnWheel(uint8_t index, uint8_t step) {
    const int next = index + step;
    return next >= kColourWheelCycle ? 0 : static_cast<uint8_t>(next);
}

uint8_t Scaled(uint8_t level, uint8_t value) { return static_cast<uint8_t>(level * value / 256); }

}  // namespace

SynchronisedLightEffect::SynchronisedLightEffect(Clock clock)
    : clock_(clock ? std::move(clock) : Clock(SteadyMilliseconds)) {}

void SynchronisedLightEffect::Start(CommonLightType type, const LightSettings& settings) {
    type_ = type;
    settings_ = settings;
    phase_ = 0;
    colourIndex_ = 0;
    flashOn_ = false;
    flashTimeMs_ = clock_();
}

uint32_t SynchronisedLightEffect::StepInterval() const { return SpeedFactor(settings_.speedLevel); }

uint8_t SynchronisedLightEffect::Level() const { return BrightnessLevelValue(settings_.brightnessLevel); }

LedColour SynchronisedLightEffect::ColourOrWheel(uint8_t index) const {
    return settings_.randomColour != 0 ? ColourWheel()[index] : settings_.colour;
}

LedEntry SynchronisedLightEffect::Step() {
    switch (type_) {
    case CommonLightType::Breathing:
        phase_ = StepCounter(settings_.direction != 0, kBreathingCycle, phase_, 1);
        if (phase_ < kBreathingColourTurn) colourIndex_ = AdvanceOnWheel(colourIndex_, kBreathingColourStep);
        return {ColourOrWheel(colourIndex_), Scaled(Level(), BreathingCurve()[phase_])};
    case CommonLightType::Static:
        return {settings_.colour, Level()};
    case CommonLightType::Flashing: {
        const uint32_t now = clock_();
        if (now - flashTimeMs_ >= StepInterval() * kFlashMillisecondsPerFactor) {
            flashOn_ = !flashOn_;
            flashTimeMs_ = now;
            phase_ = AdvanceOnWheel(phase_, kFlashPhaseStep);
        }
        return flashOn_ ? LedEntry{ColourOrWheel(phase_), Level()} : LedEntry{};
    }
    case CommonLightType::ColourCycle:
        phase_ = StepCounter(true, kColourWheelCycle, phase_, 1);
        return {ColourWheel()[phase_], Level()};
    case CommonLightType::Off:
        break;
    }
    return {};
}

}  // namespace morvek
