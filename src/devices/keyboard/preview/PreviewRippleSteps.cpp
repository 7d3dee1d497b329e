#include "devices/keyboard/preview/PreviewRippleSteps.h"

#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {
namespace {

constexpr uint8_t kCentreSpreadStage = 2;

}  // namespace

void MarkRowBitKeys(LightEngine& engine, KeyboardPreviewState& state) {
    state.ripples.MarkKeys(engine, [&state] { return state.RandomColourIndex(); });
}

void StepRipple(LightEngine& engine, KeyboardPreviewState& state) {
    MarkRowBitKeys(engine, state);
    state.ripples.Spread();
    FadeAllKeys(engine);
}

void StepRowRipple(LightEngine& engine, KeyboardPreviewState& state) {
    MarkRowBitKeys(engine, state);
    state.ripples.ShiftRows();
    FadeAllKeys(engine);
}

void StepEdgeRipple(LightEngine& engine, KeyboardPreviewState& state) {
    state.ripples.Reseed(kLeftEdgeRipple);
    state.ripples.Reseed(kRightEdgeRipple);
    MarkRowBitKeys(engine, state);
    state.ripples.Spread();
    for (KeyIndex key : SnakePath()) FadeAndPaintKey(engine, key);
}

void StepCentreRipple(LightEngine& engine, KeyboardPreviewState& state) {
    state.ripples.Reseed(kCentreRippleTop);
    state.ripples.Reseed(kCentreRippleBottom);
    if (state.stage >= kCentreSpreadStage) {
        state.stage = 0;
        MarkRowBitKeys(engine, state);
        state.ripples.Spread();
    }
    ++state.stage;
    FadeAllKeys(engine);
}

}  // namespace morvek
