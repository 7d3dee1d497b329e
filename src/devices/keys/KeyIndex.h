#pragma once
// Keys of the keyboard are addressed by their place in a 6 x 21 matrix: row x 21 + column.

#include <array>
#include <cstdint>

namespace morvek {

using KeyIndex = uint8_t;

inline constexpr int kKeyRows = 6;
inline constexpr int kKeyColumns = 21;
inline constexpr int kKeyCount = kKeyRows * kKeyColumns;  // 126
// "No key" in every key table of the keyboard.
inline constexpr KeyIndex kNoKey = 126;

constexpr KeyIndex MakeKeyIndex(int row, int column) { return static_cast<KeyIndex>(row * kKeyColumns + column); }

// FN, M6 and M1-M5: keys whose function is built into the keyboard; they cannot be assigned.
inline constexpr std::array<KeyIndex, 7> kBuiltInKeys = {110, 104, 120, 121, 122, 123, 124};
// M1 always lives in device slot 0.
inline constexpr KeyIndex kKeyM1 = 120;

}  // namespace morvek
