#include "devices/keyboard/preview/RowBitRipples.h"

#include <algorithm>

namespace morvek {
namespace {

constexpr size_t kLast = kPreviewColumns - 1;

}  // namespace

void RowBitRipples::Clear() {
    for (Buffer& buffer : buffers_) buffer.fill(0);
}

bool RowBitRipples::Empty() const {
    return std::all_of(buffers_.begin(), buffers_.end(), [](const Buffer& buffer) {
        return std::all_of(buffer.begin(), buffer.end(), [](uint8_t bits) { return bits == 0; });
    });
}

void RowBitRipples::Seed(int column, int row) {
    if (column < 0 || column >= kPreviewColumns || row < 0 || row >= 8) return;
    for (Buffer& buffer : buffers_) buffer[size_t(column)] |= static_cast<uint8_t>(1u << row);
}

void RowBitRipples::Spread() {
    const auto old = buffers_;
    auto& [r0, r1, r2, r3] = buffers_;
    const auto& [o0, o1, o2, o3] = old;
    for (size_t i = 0; i < kPreviewColumns; ++i) {
        const bool first = i == 0;
        const bool last = i == kLast;
        r0[i] = static_cast<uint8_t>((o0[i] >> 1) | (last ? 0 : o0[i + 1]));
        r1[i] = static_cast<uint8_t>((o1[i] >> 1) | (first ? 0 : o1[i - 1]));
        r2[i] = static_cast<uint8_t>((o2[i] << 1) | (first ? 0 : o2[i - 1]));
        r3[i] = static_cast<uint8_t>((o3[i] << 1) | (last ? 0 : o3[i + 1]));
    }
}

void RowBitRipples::ShiftRows() {
    auto& [r0, r1, r2, r3] = buffers_;
    r0.fill(0);
    r2.fill(0);
    std::shift_right(r1.begin(), r1.end(), 1);
    r1.front() = 0;
    std::shift_left(r3.begin(), r3.end(), 1);
    r3.back() = 0;
}

void RowBitRipples::Reseed(RipplePlace place) {
    if (place.column < 0 || place.column >= kPreviewColumns) return;
    uint8_t bits = 0;
    for (const Buffer& buffer : buffers_) bits |= buffer[size_t(place.column)];
    if (bits == (1u << place.row)) Seed(place);
}

void RowBitRipples::MarkPressedKey(KeyIndex key) {
    if (key >= kKeyCount) return;
    const auto& grid = ColumnTableA();
    for (int column = 0; column < kPreviewColumns; ++column) {
        for (int row = 0; row < kPreviewRows; ++row) {
            if (grid[size_t(column)][size_t(row)] == key) {
                Seed(column, row);
                return;
            }
        }
    }
}

}  // namespace morvek
