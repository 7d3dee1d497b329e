#include "devices/keyboard/preview/PreviewStartActions.h"

#include <algorithm>

#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {
namespace {

constexpr int kColumnColourSpacing = 7;
constexpr int kColumnPhaseSpacing = 8;
constexpr int kRowPhaseSpacing = 35;
constexpr int kKeyColourSpacing = 33;

}  // namespace

void ResetLightEffects(LightEngine& engine, KeyboardPreviewState& state) {
    engine.SetPhase(0);
    state.stage = 0;
    std::ranges::fill(engine.FadeLevels(), 0);
    state.ripples.Clear();
}

void StartLightMode(uint8_t mode, LightEngine& engine, KeyboardPreviewState& state) {
    switch (mode) {
    case 9: StartColumnPhases(engine, state); return;
    case 12: StartKeyPattern(engine); return;
    case 16: state.ripples.Seed(kLeftEdgeRipple); return;
    case 35: state.ripples.Seed(kCentreRippleBottom); return;
    default: StartColourIndices(engine); return;
    }
}

void StartColumnPhases(LightEngine& engine, KeyboardPreviewState& state) {
    const auto& grid = ColumnTableB();
    for (int column = 0; column < kPreviewColumns; ++column) {
        int phase = kPulseCycle - kColumnPhaseSpacing * column;
        for (int row = 0; row < kPreviewRows; ++row) {
            phase = phase < kRowPhaseSpacing ? phase + kPulseCycle - kRowPhaseSpacing : phase - kRowPhaseSpacing;
            const KeyIndex key = grid[size_t(column)][size_t(row)];
            if (key >= kKeyCount) continue;
            state.pulsePhases[key] = static_cast<uint8_t>(phase);
            engine.ColourIndices()[key] = static_cast<uint8_t>(kColumnColourSpacing * column);
        }
    }
}

void StartKeyPattern(LightEngine& engine) {
    const auto& grid = ColumnTableC();
    for (int column = 0; column < kPreviewColumns; ++column) {
        for (int row = 0; row < kPatternRows; ++row) {
            const KeyIndex key = grid[size_t(column)][size_t(row)];
            if (key >= kKeyCount) continue;
            engine.FadeLevels()[key] = KeyPatternTable()[size_t(kPreviewRows * column + row)];
            engine.ColourIndices()[key] = static_cast<uint8_t>(kColumnColourSpacing * column);
        }
    }
}

void StartColourIndices(LightEngine& engine) {
    auto colours = engine.ColourIndices();
    for (int key = 0; key < kKeyCount; ++key) {
        colours[size_t(key)] = static_cast<uint8_t>(kKeyColourSpacing * (key + 1) % kColourWheelCycle);
    }
}

}  // namespace morvek
