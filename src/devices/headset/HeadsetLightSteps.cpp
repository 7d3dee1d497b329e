#include "devices/headset/HeadsetLightSteps.h"

#include "devicelink/LightCounter.h"
#include "devicelink/LightTables.h"
#include "devices/lighting/MousePadWaveSteps.h"

namespace morvek {
namespace {

constexpr uint8_t kCurveStep = 3;
constexpr size_t kWheelSpacing = 16;
constexpr size_t kCurveSpacing = 10;

}  // namespace

void StepHeadsetWave(LightEngine& engine) {
    const LightSettings& s = engine.Settings();
    const bool random = s.randomColour != 0;
    const bool up = s.direction != 0;
    engine.SetPhase(random ? StepCounter(up, kColourWheelCycle, engine.Phase(), 1)
                           : StepCounter(up, kWaveCurveCycle, engine.Phase(), kCurveStep));
    const uint8_t level = BrightnessLevelValue(s.brightnessLevel);
    for (size_t i = 0; i < engine.LightCount(); ++i) {
        LedEntry led;
        if (random) {
            led = {ColourWheel()[(engine.Phase() + 1 + kWheelSpacing * i) % kColourWheelCycle], level};
        } else {
            const uint8_t curve = WaveCurve96()[(engine.Phase() + kCurveSpacing * i) % kWaveCurveCycle];
            led = {s.colour, static_cast<uint8_t>(level * curve / 256)};
        }
        engine.SetLedColour(static_cast<int>(i), led.Packed());
    }
}

}  // namespace morvek
