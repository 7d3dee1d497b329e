#include "devices/keyboard/preview/StepThresholdTable.h"

#include <algorithm>
#include <array>

namespace morvek {
namespace {

using ThresholdRow = std::array<uint8_t, 5>;

// The middle entries of the first three rows are faster than level 3, as the keyboard does.
constexpr ThresholdRow kWaveRow = {28, 23, 5, 13, 7};
constexpr ThresholdRow kSpectrumRow = {28, 23, 2, 13, 7};
constexpr ThresholdRow kEffectRow = {28, 23, 3, 13, 7};
constexpr ThresholdRow kReactiveRow = {28, 23, 18, 13, 7};
// Speed level 0 steps on every tick.
constexpr ThresholdRow kPatternRow = {0, 28, 23, 18, 13};

const ThresholdRow* RowOf(uint8_t mode) {
    switch (mode) {
    case 1: case 14: return &kWaveRow;
    case 2: return &kSpectrumRow;
    case 3: case 4: case 6: case 7: case 8: case 9: case 12: case 13: case 15: case 16: case 19: case 22: case 23:
        return &kEffectRow;
    case 5: case 20: case 21: case 24: return &kReactiveRow;
    case 34: case 35: case 36: case 37: case 38: case 39: return &kPatternRow;
    default: return nullptr;
    }
}

}  // namespace

std::optional<uint8_t> StepThreshold(uint8_t mode, uint8_t speedLevel) {
    const ThresholdRow* row = RowOf(mode);
    if (row == nullptr) return std::nullopt;
    return (*row)[std::min<size_t>(speedLevel, row->size() - 1)];
}

}  // namespace morvek
