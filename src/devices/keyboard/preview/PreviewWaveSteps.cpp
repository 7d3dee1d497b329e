#include "devices/keyboard/preview/PreviewWaveSteps.h"

#include <span>

#include "devicelink/LightCounter.h"
#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {
namespace {

constexpr int kColumnWheelSpacing = 7;
constexpr int kColumnCurveSpacing = 7;
constexpr int kRowWheelSpacing = 30;
constexpr int kRowCurveSpacing = 7;
constexpr int kSnakeSpacing = 5;
constexpr int kPulseWheelSpacing = 2;
constexpr int kPulseCurveSpacing = 1;
constexpr int kBandSpacing = 17;
constexpr int kStaticBandStart = 120;
constexpr int kStaticBandLowest = 20;
constexpr int kBreathingColumnSpacing = 7;

bool Random(const LightEngine& engine) { return engine.Settings().randomColour != 0; }
bool Up(const LightEngine& engine) { return engine.Settings().direction != 0; }

// Advances the phase over limit places and returns it.
uint8_t AdvancePhase(LightEngine& engine, int limit) {
    engine.SetPhase(StepCounter(Up(engine), static_cast<uint8_t>(limit), engine.Phase(), 1));
    return engine.Phase();
}

template <class Keys>
void PaintKeys(LightEngine& engine, const Keys& keys, LedColour colour, uint8_t brightness) {
    for (KeyIndex key : keys) PaintKey(engine, key, colour, brightness);
}

// Paints groups of keys (columns, rows, single keys) with the wheel or the configured colour
// under a curve, the position moving on by the given spacing from group to group.
template <class Group>
void PaintGroups(LightEngine& engine, int count, Group group, int start, int wheelSpacing, int curveSpacing,
                 const uint8_t* curve, int curveLength) {
    const uint8_t level = LevelValue(engine);
    int position = start;
    for (int g = 0; g < count; ++g) {
        if (Random(engine)) {
            group(g, ColourWheel()[size_t(position)], level);
            position = PlusModulo(position, wheelSpacing, kColourWheelCycle);
        } else {
            group(g, engine.Settings().colour, ScaleBrightness(level, curve[position]));
            position = PlusModulo(position, curveSpacing, curveLength);
        }
    }
}

auto ColumnGroup(LightEngine& engine) {
    return [&engine](int column, LedColour colour, uint8_t brightness) {
        PaintKeys(engine, ColumnTableA()[size_t(column)], colour, brightness);
    };
}

// The phase over the wheel with random colours, else over the curve.
uint8_t AdvanceWavePhase(LightEngine& engine, int curveLength) {
    return AdvancePhase(engine, Random(engine) ? kColourWheelCycle : curveLength);
}

}  // namespace

void StepColumnWave(LightEngine& engine) {
    const uint8_t phase = AdvanceWavePhase(engine, kWaveCurveCycle);
    const int start = PlusModulo(phase, 1, Random(engine) ? kColourWheelCycle : kWaveCurveCycle);
    PaintGroups(engine, kPreviewColumns, ColumnGroup(engine), start, kColumnWheelSpacing, kColumnCurveSpacing,
                WaveCurve96().data(), kWaveCurveCycle);
}

void StepRowWave(LightEngine& engine) {
    const uint8_t phase = AdvanceWavePhase(engine, kWaveCurveCycle);
    const int start = PlusModulo(phase, 1, Random(engine) ? kColourWheelCycle : kWaveCurveCycle);
    const auto row = [&engine](int r, LedColour colour, uint8_t brightness) {
        for (const auto& column : ColumnTableA()) PaintKey(engine, column[size_t(r)], colour, brightness);
    };
    PaintGroups(engine, kPreviewRows, row, start, kRowWheelSpacing, kRowCurveSpacing, WaveCurve96().data(),
                kWaveCurveCycle);
}

void StepSnakeWave(LightEngine& engine) {
    const uint8_t phase = AdvanceWavePhase(engine, kWaveCurveCycle);
    const auto key = [&engine](int place, LedColour colour, uint8_t brightness) {
        PaintKey(engine, SnakePath()[size_t(place)], colour, brightness);
    };
    PaintGroups(engine, kPathLength, key, phase, kSnakeSpacing, kSnakeSpacing, WaveCurve96().data(),
                kWaveCurveCycle);
}

void StepColumnPulse(LightEngine& engine) {
    const uint8_t phase = AdvanceWavePhase(engine, kWaveCurveCycle);
    PaintGroups(engine, kPreviewColumns, ColumnGroup(engine), phase, kPulseWheelSpacing, kPulseCurveSpacing,
                PulseCurve192().data(), kWaveCurveCycle);
}

void StepBandRainbow(LightEngine& engine) {
    int colour = AdvancePhase(engine, kColourWheelCycle);
    const uint8_t level = LevelValue(engine);
    for (const auto& band : BandTable()) {
        colour = PlusModulo(colour, kBandSpacing, kColourWheelCycle);
        for (KeyIndex key : band) {
            if (FilterPathKey(key) != kNoKey) PaintKey(engine, key, ColourWheel()[size_t(colour)], level);
        }
    }
}

void StepKeyboardStatic(LightEngine& engine) {
    if (!Random(engine)) {
        engine.StepStatic();
        return;
    }
    const uint8_t level = LevelValue(engine);
    int colour = kStaticBandStart;
    for (const auto& band : BandTable()) {
        colour -= kBandSpacing;
        if (colour <= kStaticBandLowest) colour = kStaticBandStart;
        for (KeyIndex key : band) {
            if (FilterPathKey(key) != kNoKey) PaintKey(engine, key, ColourWheel()[size_t(colour)], level);
        }
    }
}

void StepKeyboardBreathing(LightEngine& engine) {
    const uint8_t phase = AdvancePhase(engine, kBreathingCycle);
    const uint8_t brightness = ScaleBrightness(BreathingCurve()[phase], LevelValue(engine));
    if (!Random(engine)) {
        for (size_t led = 0; led < engine.LightCount(); ++led) {
            PaintKey(engine, static_cast<KeyIndex>(led), engine.Settings().colour, brightness);
        }
        return;
    }
    int colour = 0;
    for (const auto& column : ColumnTableA()) {
        PaintKeys(engine, column, ColourWheel()[size_t(colour)], brightness);
        colour = PlusModulo(colour, kBreathingColumnSpacing, kColourWheelCycle);
    }
}

void StepColourCycle(LightEngine& engine) {
    const uint8_t level = LevelValue(engine);
    auto colours = engine.ColourIndices();
    for (int key = 0; key < kKeyCount; ++key) {
        const int next = colours[size_t(key)] + 1;
        colours[size_t(key)] = static_cast<uint8_t>(next >= kColourWheelCycle ? 0 : next);
        PaintKey(engine, static_cast<KeyIndex>(key), ColourWheel()[colours[size_t(key)]], level);
    }
}

void StepCustomLight(LightEngine& engine) {
    const uint8_t level = LevelValue(engine);
    for (size_t led = 0; led < engine.LightCount(); ++led) {
        LedEntry entry = engine.Leds()[led];
        entry.brightness = level;
        engine.SetLedColour(static_cast<int>(led), entry.Packed());
    }
}

}  // namespace morvek
