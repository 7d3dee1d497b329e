#pragma once
// The show of mode 36: rows of keys drawn one by one, pairs of keys lit in turn, then a ripple,
// over and over. Call under the model's LED lock.

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"

namespace morvek {

enum class ShowStage : uint8_t { DrawRows = 0, LightPairs = 1, StartRipple = 2, Ripple = 3, RippleFades = 4 };

// One step of the show (its stage is the state's stage counter, its position the effect
// phase); every key fades. The ripple stage also ends when no ripple is left to reach its
// end key, so the show never stalls dark.
void StepShow(LightEngine& engine, KeyboardPreviewState& state);

}  // namespace morvek
