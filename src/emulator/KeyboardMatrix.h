#pragma once
// The keyboard firmware's view of its keys: the factory function of every key of the
// 6 x 21 matrix and the order in which the firmware keeps the keys in its slot table.

#include <array>
#include <cstdint>

namespace morvek::emulator {

inline constexpr int kMatrixKeys = 126;  // 6 rows x 21 columns, index = row * 21 + column

struct KeyFunction {
    uint8_t type = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
};

// Factory function of each matrix key, by matrix index.
const std::array<KeyFunction, kMatrixKeys>& FactoryKeyFunctions();

// Matrix index of the key held in each device slot. Slot 0 holds M1; the firmware keeps
// the six macro keys first and then scans the matrix column by column.
const std::array<uint8_t, kMatrixKeys>& SlotMatrixIndex();

}  // namespace morvek::emulator
