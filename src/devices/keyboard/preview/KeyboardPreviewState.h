#pragma once
// The keyboard preview's working state besides what the light engine holds (effect phase,
// fade levels, colour indices): per-key pulse phases, key states and pressed flags, the stage
// of the centre ripple and the show, the row-bit ripples, and the random source of the
// effects that pick random keys and colours.

#include <array>
#include <cstdint>
#include <random>

#include "devices/keyboard/preview/RowBitRipples.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {

enum class KeyState : uint8_t { None = 0, Held = 1, Released = 2 };

struct KeyboardPreviewState {
    explicit KeyboardPreviewState(uint32_t seed) : random(seed) {}

    // A random colour-wheel index, 0-191.
    uint8_t RandomColourIndex();
    // A random number 0 .. count - 1, each equally likely.
    int RandomBelow(int count);

    std::array<uint8_t, kKeyCount> pulsePhases{};
    std::array<KeyState, kKeyCount> keyStates{};
    std::array<uint8_t, kKeyCount> pressedFlags{};
    uint8_t stage = 0;
    RowBitRipples ripples;
    std::minstd_rand random;
};

}  // namespace morvek
