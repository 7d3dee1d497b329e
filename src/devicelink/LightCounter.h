#pragma once
// StepCounter: the cyclic counter behind every light effect's phase.

#include <cstdint>

namespace morvek {

// Next value of a counter cycling through 0 .. limit - 1. Upwards: value + step, or 0 once
// that reaches the limit. Downwards: value - step while that (as a byte) stays below the
// limit, else limit - step. The result is always below the limit, so it can index a table of
// limit entries; a degenerate call (limit 0, or a step of 0 or above the limit on the way
// down) gives 0.
constexpr uint8_t StepCounter(bool up, uint8_t limit, uint8_t value, uint8_t step) {
    if (up) {
        const int next = value + step;
        return next >= limit ? 0 : static_cast<uint8_t>(next);
    }
    const auto next = static_cast<uint8_t>(value - step);
    if (next < limit) {
        return next;
    }
    return step != 0 && step <= limit ? static_cast<uint8_t>(limit - step) : 0;
}

}  // namespace morvek
