#include "devices/keyboard/preview/PreviewFadeSteps.h"

#include <algorithm>
#include <span>

#include "devicelink/LightCounter.h"
#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {
namespace {

constexpr uint8_t kSweepFade = 254;
constexpr int kTwinkleKeys = 6;
constexpr int kTwinklePlaces = 104;
constexpr int kFrameFade = 5;
constexpr int kFrameColourStep = 3;
constexpr uint8_t kFrameColourLast = 255;
constexpr int kHeldGain = 15;
constexpr int kReleasedFade = 5;

// Moves each key's phase on by step through the pulse curve, a new random colour at each
// wrap, and paints the key at the curve's brightness.
void StepPulses(LightEngine& engine, KeyboardPreviewState& state, std::span<uint8_t, kKeyCount> phases, int step) {
    const uint8_t level = LevelValue(engine);
    for (KeyIndex key : SnakePath()) {
        if (key >= kKeyCount) continue;
        const int next = phases[key] + step;
        if (next >= kPulseCycle) {
            phases[key] = 0;
            engine.ColourIndices()[key] = state.RandomColourIndex();
        } else {
            phases[key] = static_cast<uint8_t>(next);
        }
        PaintKey(engine, key, KeyColour(engine, key), ScaleBrightness(level, PulseCurve192()[phases[key]]));
    }
}

}  // namespace

void StepKeyPulse(LightEngine& engine, KeyboardPreviewState& state) {
    StepPulses(engine, state, state.pulsePhases, 1);
}

void StepKeyPulseFast(LightEngine& engine, KeyboardPreviewState& state) {
    StepPulses(engine, state, engine.FadeLevels(), 2);
}

void StepSweep(LightEngine& engine) {
    const uint8_t phase = engine.Phase();
    const bool up = engine.Settings().direction != 0;
    if (up ? phase < kSweepLength - 1 : phase > 0) {
        const KeyIndex key = SweepPath()[std::min<size_t>(phase, kSweepLength - 1)];
        if (key < kKeyCount) engine.FadeLevels()[key] = kSweepFade;
        engine.SetPhase(static_cast<uint8_t>(up ? phase + 1 : phase - 1));
    } else {
        engine.SetPhase(up ? 0 : kSweepLength - 1);
    }
    for (KeyIndex key : SnakePath()) FadeAndPaintKey(engine, key);
}

void StepTwinkle(LightEngine& engine, KeyboardPreviewState& state) {
    for (int i = 0; i < kTwinkleKeys; ++i) {
        const KeyIndex key = SnakePath()[size_t(state.RandomBelow(kTwinklePlaces))];
        engine.ColourIndices()[key] = state.RandomColourIndex();
        engine.FadeLevels()[key] = 255;
    }
    FadeAllKeys(engine);
}

void StepFrames(LightEngine& engine) {
    const uint8_t frame = StepCounter(engine.Settings().direction != 0, kFrameCount, engine.Phase(), 1);
    engine.SetPhase(frame);
    auto fades = engine.FadeLevels();
    auto colours = engine.ColourIndices();
    for (KeyIndex key : FrameTable()[frame]) {
        if (key >= kKeyCount) continue;
        fades[key] = 255;
        colours[key] = 0;
    }
    const bool random = engine.Settings().randomColour != 0;
    const uint8_t level = LevelValue(engine);
    for (int k = 0; k < kKeyCount; ++k) {
        const auto key = static_cast<KeyIndex>(k);
        fades[key] = static_cast<uint8_t>(std::max(fades[key] - kFrameFade, 0));
        if (colours[key] < kFrameColourLast) {
            colours[key] = static_cast<uint8_t>(std::min(colours[key] + kFrameColourStep, int{kFrameColourLast}));
        }
        if (random) {
            PaintKey(engine, key, ColourWheel()[colours[key]], level);
        } else {
            PaintKey(engine, key, engine.Settings().colour, ScaleBrightness(level, fades[key]));
        }
    }
}

void StepKeyStates(LightEngine& engine, const KeyboardPreviewState& state) {
    auto fades = engine.FadeLevels();
    for (int key = 0; key < kKeyCount; ++key) {
        const KeyState keyState = state.keyStates[size_t(key)];
        if (keyState == KeyState::Held) {
            fades[size_t(key)] = static_cast<uint8_t>(std::min(fades[size_t(key)] + kHeldGain, 255));
        } else if (keyState == KeyState::Released) {
            fades[size_t(key)] = static_cast<uint8_t>(std::max(fades[size_t(key)] - kReleasedFade, 0));
        }
        FadePaintKey(engine, static_cast<KeyIndex>(key));
    }
}

}  // namespace morvek
