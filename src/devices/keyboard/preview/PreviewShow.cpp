#include "devices/keyboard/preview/PreviewShow.h"

#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keyboard/preview/PreviewRippleSteps.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {
namespace {

constexpr int kLastPairStep = 30;
// The key the pairs end on, the key the ripple starts from and the key it ends on.
constexpr KeyIndex kPairsEndKey = 72;
constexpr KeyIndex kRippleStartKey = 52;
constexpr KeyIndex kRippleEndKey = 124;

void LightKey(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key) {
    if (key >= kKeyCount) return;
    engine.FadeLevels()[key] = 255;
    if (engine.Settings().randomColour != 0) engine.ColourIndices()[key] = state.RandomColourIndex();
}

void SetStage(KeyboardPreviewState& state, ShowStage stage) { state.stage = static_cast<uint8_t>(stage); }

void Advance(LightEngine& engine, KeyboardPreviewState& state) {
    const uint8_t phase = engine.Phase();
    const auto fades = engine.FadeLevels();
    switch (static_cast<ShowStage>(state.stage)) {
    case ShowStage::DrawRows:
        for (KeyIndex key : ShowDrawList()[phase % kShowRows]) LightKey(engine, state, key);
        engine.SetPhase(static_cast<uint8_t>(phase + 1));
        if (engine.Phase() >= kShowRows) {
            engine.SetPhase(0);
            SetStage(state, ShowStage::LightPairs);
        }
        return;
    case ShowStage::LightPairs:
        if (phase <= kLastPairStep) {
            const auto& [first, second] = ShowPairs()[phase % kShowPairCount];
            LightKey(engine, state, first);
            LightKey(engine, state, second);
            engine.SetPhase(static_cast<uint8_t>(phase + 1));
        } else if (fades[kPairsEndKey] == 0) {
            engine.SetPhase(0);
            SetStage(state, ShowStage::StartRipple);
        }
        return;
    case ShowStage::StartRipple:
        state.ripples.MarkPressedKey(kRippleStartKey);
        SetStage(state, ShowStage::Ripple);
        return;
    case ShowStage::Ripple:
        MarkRowBitKeys(engine, state);
        state.ripples.Spread();
        if (fades[kRippleEndKey] != 0 || state.ripples.Empty()) SetStage(state, ShowStage::RippleFades);
        return;
    case ShowStage::RippleFades:
        if (fades[kRippleEndKey] == 0) {
            engine.SetPhase(0);
            SetStage(state, ShowStage::DrawRows);
        }
        return;
    }
    SetStage(state, ShowStage::DrawRows);
    engine.SetPhase(0);
}

}  // namespace

void StepShow(LightEngine& engine, KeyboardPreviewState& state) {
    Advance(engine, state);
    FadeAllKeys(engine);
}

}  // namespace morvek
