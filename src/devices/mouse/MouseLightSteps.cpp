#include "devices/mouse/MouseLightSteps.h"

#include <algorithm>
#include <array>

#include "devicelink/LightTables.h"
#include "devices/lighting/MousePadWaveSteps.h"

namespace morvek {
namespace {

constexpr uint8_t kEmptyPlace = 255;
// The LEDs of each group, lit group by group.
constexpr std::array<std::array<uint8_t, 3>, MouseGroupFlow::kGroupCount> kGroups = {{
    {0, 18, 18},
    {1, 17, kEmptyPlace},
    {2, 16, kEmptyPlace},
    {3, 15, kEmptyPlace},
    {4, 14, kEmptyPlace},
    {5, 13, kEmptyPlace},
    {6, 12, kEmptyPlace},
    {7, 9, 11},
    {8, 9, 10},
}};

}  // namespace

MouseLightStep MouseStepOfEffect(uint8_t effect) {
    switch (effect) {
    case 0: return MouseLightStep::Wave;
    case 1: return MouseLightStep::Spectrum;
    case 2: return MouseLightStep::Breathing;
    case 3: return MouseLightStep::Static;
    case 4: return MouseLightStep::Flash;
    case 5: return MouseLightStep::GroupFlow;
    case 6: return MouseLightStep::BreathingFourColours;
    case 7: return MouseLightStep::FlashFourColours;
    case 8: return MouseLightStep::Clear;
    default: return MouseLightStep::CustomMode;
    }
}

uint8_t MouseStepInterval(uint8_t effect, uint8_t speedLevel) {
    return MouseStepOfEffect(effect) == MouseLightStep::CustomMode ? 1 : SpeedFactor(speedLevel);
}

void MouseGroupFlow::Step(LightEngine& engine) {
    const LightSettings& s = engine.Settings();
    const uint8_t level = BrightnessLevelValue(s.brightnessLevel);
    for (int g = 0; g < kGroupCount; ++g) engine.StepKeyFade(g, false);
    const auto ring = engine.WaveBytes();
    if (std::all_of(ring.begin(), ring.end(), [](uint8_t b) { return b == 0; })) ring[0] = 1;
    engine.MarkWaveKeys();
    engine.ShiftWave(s.direction != 0);

    uint8_t colourIndex = engine.ColourIndex();
    engine.SetColourIndex(static_cast<uint8_t>((colourIndex + 1) % kColourWheelCycle));
    for (int g = 0; g < kGroupCount; ++g) {
        const uint8_t fade = engine.FadeLevels()[size_t(g)];
        const LedColour colour = s.randomColour != 0 ? ColourWheel()[colourIndex] : s.colour;
        const LedEntry entry{colour, static_cast<uint8_t>(fade * level / 255)};
        for (uint8_t led : kGroups[size_t(g)]) {
            if (led != kEmptyPlace) engine.SetLedColour(led, entry.Packed());
        }
        colourIndex = static_cast<uint8_t>((colourIndex + kGroupColourSpacing) % kColourWheelCycle);
    }
}

bool RunMouseStep(uint8_t effect, LightEngine& engine, MouseGroupFlow& flow) {
    switch (MouseStepOfEffect(effect)) {
    case MouseLightStep::Wave: MousePadWaveSteps::StepWave(engine); return true;
    case MouseLightStep::Spectrum: engine.StepSpectrum(); return true;
    case MouseLightStep::Breathing: engine.StepBreathing(); return true;
    case MouseLightStep::Static: engine.StepStatic(); return true;
    case MouseLightStep::Flash: engine.StepFlash(); return true;
    case MouseLightStep::GroupFlow: flow.Step(engine); return true;
    case MouseLightStep::BreathingFourColours: engine.StepBreathingFourColours(); return true;
    case MouseLightStep::FlashFourColours: engine.StepFlashFourColours(); return true;
    case MouseLightStep::Clear: engine.ClearLeds(); return true;
    case MouseLightStep::CustomMode: return false;
    }
    return false;
}

}  // namespace morvek
