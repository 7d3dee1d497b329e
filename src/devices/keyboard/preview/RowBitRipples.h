#pragma once
// The row-bit ripples of the keyboard preview: four buffers of 23 bytes, byte i = column i of
// the column grids, bit j = row j. A marked bit travels a little further with every spread and
// lights the key under it; each buffer moves its bits in its own diagonal direction.

#include <array>
#include <cstdint>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {

// A place of the ripple grid: column (byte) and row (bit).
struct RipplePlace {
    int column;
    int row;
};
// Where the edge ripples (mode 16) and the centre ripples (mode 35) begin.
inline constexpr RipplePlace kLeftEdgeRipple{1, 0};
inline constexpr RipplePlace kRightEdgeRipple{22, 6};
inline constexpr RipplePlace kCentreRippleTop{9, 0};
inline constexpr RipplePlace kCentreRippleBottom{9, 6};

class RowBitRipples {
public:
    using Buffer = std::array<uint8_t, kPreviewColumns>;
    static constexpr size_t kBufferCount = 4;

    void Clear();
    bool Empty() const;
    const Buffer& Bits(size_t buffer) const { return buffers_[buffer]; }
    // Sets bit row of byte column in all four buffers; places outside the grid are ignored.
    void Seed(int column, int row);
    void Seed(RipplePlace place) { Seed(place.column, place.row); }

    // Every key of ColumnTableB under a bit set in any buffer gets fade level 255 and, with
    // random colours, a random colour index.
    template <class Random>
    void MarkKeys(LightEngine& engine, Random&& randomColourIndex) const;
    // The bits of R0 and R3 move towards lower columns, those of R1 and R2 towards higher
    // ones; R0 and R1 move towards row 0, R2 and R3 away from it. Each keeps a trail behind.
    void Spread();
    // R0 and R2 are cleared; R1 moves one column up, R3 one column down.
    void ShiftRows();
    // When the OR of the place's byte over all buffers is exactly the place's bit, that bit is set
    // again in all four, so a ripple that has left its start place begins anew.
    void Reseed(RipplePlace place);
    // A press of key marks the first place of ColumnTableA holding it; a key not in the grid
    // marks nothing.
    void MarkPressedKey(KeyIndex key);

private:
    std::array<Buffer, kBufferCount> buffers_{};
};

template <class Random>
void RowBitRipples::MarkKeys(LightEngine& engine, Random&& randomColourIndex) const {
    const bool random = engine.Settings().randomColour != 0;
    const auto& grid = ColumnTableB();
    auto fades = engine.FadeLevels();
    auto colours = engine.ColourIndices();
    for (int column = 0; column < kPreviewColumns; ++column) {
        uint8_t bits = 0;
        for (const Buffer& buffer : buffers_) bits |= buffer[size_t(column)];
        for (int row = 0; bits != 0 && row < kPreviewRows; ++row) {
            const KeyIndex key = grid[size_t(column)][size_t(row)];
            if ((bits & (1u << row)) == 0 || key >= kKeyCount) continue;
            fades[key] = 255;
            if (random) colours[key] = randomColourIndex();
        }
    }
}

}  // namespace morvek
