#pragma once
// The drawn patterns of the light preview: the frames of mode 21, the rows and pairs of the
// show (mode 36), the start phases of the key pattern (mode 12) and the pulse curve. Key
// entries are KeyIndex numbers; FrameTable pads with kNoKey, ShowDrawList with kNoPatternKey.

#include <array>
#include <cstdint>
#include <utility>

#include "devices/keys/KeyIndex.h"

namespace morvek {

inline constexpr int kFrameCount = 52;
inline constexpr int kFrameLength = 12;
inline constexpr int kShowRows = 20;
inline constexpr int kShowRowLength = 6;
inline constexpr int kShowPairCount = 16;
inline constexpr int kKeyPatternLength = 139;
inline constexpr int kPulseCycle = 192;

const std::array<std::array<KeyIndex, kFrameLength>, kFrameCount>& FrameTable();
const std::array<std::array<KeyIndex, kShowRowLength>, kShowRows>& ShowDrawList();
const std::array<std::pair<KeyIndex, KeyIndex>, kShowPairCount>& ShowPairs();
// Start phases of the key pattern, read at column x 6 + row of ColumnTableC.
const std::array<uint8_t, kKeyPatternLength>& KeyPatternTable();
// A quick rise to 255 and a slow fall (entries 0-88), then dark up to entry 191.
const std::array<uint8_t, kPulseCycle>& PulseCurve192();

}  // namespace morvek
