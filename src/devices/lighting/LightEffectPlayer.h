#pragma once
// The effect-sequence player: plays a user light effect (a list of LightEffectStep entries,
// each shown for its "Time" in milliseconds) over every LED of a light engine, whatever its
// LED count. The keyboard preview runs it for the modes without a step of their own; the other
// device models run it for their custom modes.
//
// One Pass per light-thread pass. Entry number, pass counter and phase carry over from pass
// to pass and across mode changes. Like the engine, not thread-safe: call under the model's
// LED lock.

#include <cstdint>
#include <optional>
#include <vector>

#include "devicelink/LightEngine.h"
#include "profiles/LightEffectStep.h"

namespace morvek {

class LightEffectPlayer {
public:
    // Replaces the sequence; the position is kept (it wraps to the first entry when past the end).
    void SetSequence(std::vector<LightEffectStep> steps);
    const std::vector<LightEffectStep>& Sequence() const { return steps_; }
    size_t EntryNumber() const { return entry_; }
    uint8_t Phase() const { return phase_; }

    // One pass at nowMs (a monotonic millisecond clock): an empty sequence turns every LED
    // dark; otherwise the current entry paints every LED, and once the entry has been shown
    // for more than its time the next one (after the last: the first) begins.
    void Pass(LightEngine& engine, uint32_t nowMs);

private:
    void Breathe(LightEngine& engine, const LightEffectStep& step);
    void Hold(LightEngine& engine, const LightEffectStep& step);
    void Flash(LightEngine& engine, const LightEffectStep& step, uint32_t nowMs);
    void Wave(LightEngine& engine, const LightEffectStep& step);
    void Spectrum(LightEngine& engine, const LightEffectStep& step);
    // True (and the pass counter back to 0) when the pass counter has reached threshold.
    bool Due(uint8_t threshold);

    std::vector<LightEffectStep> steps_;
    size_t entry_ = 0;
    std::optional<uint32_t> entryBeganMs_;
    uint8_t passes_ = 0;
    uint8_t phase_ = 0;
    bool flashOn_ = false;
    uint32_t flashTimeMs_ = 0;
    uint8_t flashColourIndex_ = 0;
};

}  // namespace morvek
