#include "devices/lighting/MousePadWaveSteps.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

#include "devicelink/LightCounter.h"
#include "devicelink/LightTables.h"

namespace morvek {
namespace {

constexpr int kWaveLedSpacing = 7;
constexpr uint8_t kFadingColourSpacing = 12;
constexpr uint8_t kMovesPerShift = 2;
constexpr size_t kFadingRing = LightEngine::kWaveByteCount;
constexpr size_t kPairedRing = 8;
constexpr size_t kSeedPlace = 1;
// The pad's LEDs at either end of the wave.
constexpr size_t kFirstEdgeLed = 0;
constexpr size_t kLastEdgeLed = 14;
constexpr std::array<std::pair<size_t, size_t>, 7> kLedPairs = {
    {{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};

uint8_t Scale(uint8_t value, uint8_t level) { return static_cast<uint8_t>(value * level / 256); }

// The colour of the next fading-wave LED: with random colour the phase moves on 12 wheel
// entries, unless the wave's head sits at the edge it starts from, when the LED keeps its colour.
LedColour FadingColour(LightEngine& engine, const LedEntry& present) {
    const LightSettings& s = engine.Settings();
    if (s.randomColour == 0) return s.colour;
    engine.SetPhase(static_cast<uint8_t>(engine.Phase() + kFadingColourSpacing));
    const auto fades = engine.FadeLevels();
    const bool atEdge = s.direction != 0 ? fades[kFirstEdgeLed] != 0 : fades[kLastEdgeLed] != 0;
    if (atEdge) return present.colour;
    return ColourWheel()[engine.Phase() % kColourWheelCycle];
}

void Paint(LightEngine& engine, size_t led, LedColour colour, uint8_t brightness) {
    engine.SetLedColour(static_cast<int>(led), LedEntry{colour, brightness}.Packed());
}

}  // namespace

void MousePadWaveSteps::StepWave(LightEngine& engine) {
    const LightSettings& s = engine.Settings();
    const bool random = s.randomColour != 0;
    const uint8_t limit = random ? kColourWheelCycle : kWaveCurveCycle;
    engine.SetPhase(StepCounter(s.direction != 0, limit, engine.Phase(), 1));
    const uint8_t level = BrightnessLevelValue(s.brightnessLevel);
    for (size_t i = 0; i < engine.LightCount(); ++i) {
        const size_t position = engine.Phase() + 1 + kWaveLedSpacing * i;
        if (random) {
            Paint(engine, i, ColourWheel()[position % kColourWheelCycle], level);
        } else {
            Paint(engine, i, s.colour, Scale(WaveCurve96()[position % kWaveCurveCycle], level));
        }
    }
}

void MousePadWaveSteps::StepFadingWave(LightEngine& engine) {
    const bool up = engine.Settings().direction != 0;
    engine.SetPhase(StepCounter(up, kColourWheelCycle, engine.Phase(), 1));
    MoveWave(engine, kFadingRing, up);
    const uint8_t level = BrightnessLevelValue(engine.Settings().brightnessLevel);
    const size_t leds = std::min(engine.LightCount(), LightEngine::kFadeKeyCount);
    for (size_t i = 0; i < leds; ++i) {
        const uint8_t fade = static_cast<uint8_t>(engine.StepKeyFade(static_cast<int>(i), true));
        const LedColour colour = FadingColour(engine, engine.Leds()[i]);
        Paint(engine, i, colour, Scale(fade, level));
    }
}

void MousePadWaveSteps::StepPairedWave(LightEngine& engine) {
    const bool up = engine.Settings().direction != 0;
    engine.SetPhase(StepCounter(up, kColourWheelCycle, engine.Phase(), 1));
    MoveWave(engine, kPairedRing, !up);
    const uint8_t level = BrightnessLevelValue(engine.Settings().brightnessLevel);
    const size_t leds = engine.LightCount();
    for (size_t p = 0; p < kLedPairs.size(); ++p) {
        const uint8_t fade = static_cast<uint8_t>(engine.StepKeyFade(static_cast<int>(p), true));
        const auto [first, second] = kLedPairs[p];
        const LedEntry present = first < leds ? engine.Leds()[first] : LedEntry{};
        const LedColour colour = FadingColour(engine, present);
        for (size_t led : {first, second}) {
            if (led < leds) Paint(engine, led, colour, Scale(fade, level));
        }
    }
}

void MousePadWaveSteps::MoveWave(LightEngine& engine, size_t ringLength, bool up) {
    if (moveCounter_ >= kMovesPerShift) {
        moveCounter_ = 0;
        const auto ring = engine.WaveBytes().first(ringLength);
        if (std::all_of(ring.begin(), ring.end(), [](uint8_t b) { return b == 0; })) ring[kSeedPlace] = 1;
        engine.MarkWaveKeysPerLed();
        if (up) {
            std::rotate(ring.begin(), ring.end() - 1, ring.end());
        } else {
            std::rotate(ring.begin(), ring.begin() + 1, ring.end());
        }
    }
    ++moveCounter_;
}

}  // namespace morvek
