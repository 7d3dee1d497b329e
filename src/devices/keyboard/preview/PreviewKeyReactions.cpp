#include "devices/keyboard/preview/PreviewKeyReactions.h"

#include <algorithm>
#include <array>

#include "devices/keyboard/preview/PreviewKeyTables.h"

namespace morvek {
namespace {

constexpr uint8_t kNoSlot = 255;

struct GridPlace {
    int column = 0;
    int row = 0;
};

// The twelve neighbour places of a key and what a press adds to and a release takes from them.
struct Neighbour {
    int dColumn;
    int dRow;
    int pressGain;
    int releaseLoss;
};
constexpr std::array<Neighbour, 12> kNeighbours = {{
    {0, -1, 150, 15}, {0, 1, 150, 15}, {-1, 0, 150, 15}, {1, 0, 150, 15},   // direct
    {-1, -1, 90, 90}, {1, -1, 90, 90}, {-1, 1, 90, 90}, {1, 1, 90, 90},     // diagonal
    {0, -2, 90, 90}, {0, 2, 90, 90}, {-2, 0, 60, 90}, {2, 0, 60, 90},       // far
}};

std::optional<GridPlace> PlaceOf(KeyIndex key) {
    if (key >= kKeyCount) return std::nullopt;
    const auto& grid = ColumnTableA();
    for (int column = 0; column < kPreviewColumns; ++column) {
        for (int row = 0; row < kPreviewRows; ++row) {
            if (grid[size_t(column)][size_t(row)] == key) return GridPlace{column, row};
        }
    }
    return std::nullopt;
}

// The key at a place, or kNoKey outside the grid.
KeyIndex KeyAt(int column, int row) {
    if (column < 0 || column >= kPreviewColumns || row < 0 || row >= kPreviewRows) return kNoKey;
    return ColumnTableA()[size_t(column)][size_t(row)];
}

bool PressedOtherThan(const KeyboardPreviewState& state, KeyIndex at, KeyIndex key) {
    return at < kKeyCount && at != key && state.pressedFlags[at] == 1;
}

}  // namespace

std::optional<KeyIndex> FindKeyOfSlot(std::span<const uint8_t> slotMap, int slot) {
    if (slot < 0 || slot >= kNoSlot) return std::nullopt;
    const size_t count = std::min<size_t>(slotMap.size(), kKeyCount);
    for (size_t key = 0; key < count; ++key) {
        if (slotMap[key] == slot) return static_cast<KeyIndex>(key);
    }
    return std::nullopt;
}

void OnDeviceKeyEvent(LightEngine& engine, KeyboardPreviewState& state, std::span<const uint8_t> slotMap, int slot,
                      int kind) {
    const auto key = FindKeyOfSlot(slotMap, slot);
    if (!key) return;
    if (kind == static_cast<int>(KeyEventKind::Press)) {
        ReactToKey(engine, state, *key, KeyEventKind::Press);
        ReactToKey(engine, state, *key, KeyEventKind::Release);
    } else if (kind == static_cast<int>(KeyEventKind::Release)) {
        ReactToKey(engine, state, *key, KeyEventKind::Release);
    }
}

void ReactToKey(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key, KeyEventKind kind) {
    switch (engine.Settings().mode) {
    case 3:
    case 7:
        if (kind == KeyEventKind::Press) state.ripples.MarkPressedKey(key);
        return;
    case 5: SetKeyState(engine, state, key, kind); return;
    case 20: PressNeighbourhood(engine, state, key, kind); return;
    default: return;
    }
}

void SetKeyState(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key, KeyEventKind kind) {
    if (key >= kKeyCount) return;
    state.keyStates[key] = kind == KeyEventKind::Press ? KeyState::Held : KeyState::Released;
    engine.FadeLevels()[key] = 255;
}

void PressNeighbourhood(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key, KeyEventKind kind) {
    const auto place = PlaceOf(key);
    if (!place) return;
    auto fades = engine.FadeLevels();
    if (kind == KeyEventKind::Press) {
        state.keyStates[key] = KeyState::Held;
        state.pressedFlags[key] = 1;
        fades[key] = 255;
        for (const Neighbour& n : kNeighbours) {
            const KeyIndex m = KeyAt(place->column + n.dColumn, place->row + n.dRow);
            if (m >= kKeyCount) continue;
            state.keyStates[m] = KeyState::Held;
            fades[m] = static_cast<uint8_t>(std::min(fades[m] + n.pressGain, 255));
        }
        return;
    }
    for (const Neighbour& n : kNeighbours) {
        const int column = place->column + n.dColumn;
        const int row = place->row + n.dRow;
        const KeyIndex m = KeyAt(column, row);
        if (m >= kKeyCount || HasPressedNeighbour(state, column, row, key)) continue;
        state.keyStates[m] = KeyState::Released;
        fades[m] = static_cast<uint8_t>(std::max(fades[m] - n.releaseLoss, 0));
    }
    if (!HasPressedNeighbour(state, place->column, place->row, key)) state.keyStates[key] = KeyState::Released;
    state.pressedFlags[key] = 0;
}

bool HasPressedNeighbour(const KeyboardPreviewState& state, int column, int row, KeyIndex key) {
    if (PressedOtherThan(state, KeyAt(column, row), key)) return true;
    return std::any_of(kNeighbours.begin(), kNeighbours.end(), [&](const Neighbour& n) {
        return PressedOtherThan(state, KeyAt(column + n.dColumn, row + n.dRow), key);
    });
}

}  // namespace morvek
