#pragma once
// The effect of synchronised lighting ("same light for all devices"): one colour and brightness
// per step, which every synchronised device shows on all its LEDs. Breathing, static, flash,
// colour cycle and off, over the light engine's tables.
//
// Not thread-safe: the synchronised-lighting thread owns it.

#include <cstdint>
#include <functional>

#include "devicelink/LightLedEntry.h"
#include "devicelink/LightSettings.h"
#include "devices/lighting/LightTypes.h"

namespace morvek {

class SynchronisedLightEffect {
public:
    // Milliseconds of a monotonic clock (the flash's toggles).
    using Clock = std::function<uint32_t()>;

    // Empty clock: the steady clock.
    explicit SynchronisedLightEffect(Clock clock = {});

    // The effect and the settings copied from the device that started it; the phase, colour
    // index and flash state start over.
    void Start(CommonLightType type, const LightSettings& settings);
    CommonLightType Type() const { return type_; }
    // Passes of 1 ms between two steps (28, 23, 18, 13, 7 by speed level).
    uint32_t StepInterval() const;

    // One step: the LED entry every synchronised LED shows now.
    LedEntry Step();

    uint8_t Phase() const { return phase_; }
    uint8_t ColourIndex() const { return colourIndex_; }

private:
    LedColour ColourOrWheel(uint8_t index) const;
    uint8_t Level() const;

    Clock clock_;
    CommonLightType type_ = CommonLightType::Off;
    LightSettings settings_;
    uint8_t phase_ = 0;
    uint8_t colourIndex_ = 0;
    bool flashOn_ = false;
    uint32_t flashTimeMs_ = 0;
};

}  // namespace morvek
