#pragma once
// Where the keys of the keyboard stand for the light preview: the column grids, the paths the
// waves follow and the bands of the rainbow. Entries are KeyIndex numbers; kNoKey (126) marks
// an empty place, except in ColumnTableC, where kNoPatternKey (255) does.

#include <array>
#include <cstdint>

#include "devices/keys/KeyIndex.h"

namespace morvek {

inline constexpr int kPreviewColumns = 23;
inline constexpr int kPreviewRows = 6;
inline constexpr int kPatternRows = 7;
inline constexpr int kPathLength = 126;
inline constexpr int kSweepLength = 127;
inline constexpr int kBandCount = 12;
inline constexpr int kBandLength = 12;
inline constexpr KeyIndex kNoPatternKey = 255;

using ColumnGrid = std::array<std::array<KeyIndex, kPreviewRows>, kPreviewColumns>;

// Columns 0-6 hold the keys the column waves light; the other columns are empty.
const ColumnGrid& ColumnTableA();
// The grid the row-bit ripples light: column i, row j is bit j of byte i.
const ColumnGrid& ColumnTableB();
// The grid of the key pattern of mode 12, seven rows per column.
const std::array<std::array<KeyIndex, kPatternRows>, kPreviewColumns>& ColumnTableC();
// 111 keys in a snake over the keyboard, then kNoKey.
const std::array<KeyIndex, kPathLength>& SnakePath();
// The sweep of mode 13; the last place holds key 0.
const std::array<KeyIndex, kSweepLength>& SweepPath();
// Rings of keys round the middle of the left block; bands 5-11 are empty.
const std::array<std::array<KeyIndex, kBandLength>, kBandCount>& BandTable();

// key when it is on SnakePath, else kNoKey.
KeyIndex FilterPathKey(KeyIndex key);

}  // namespace morvek
