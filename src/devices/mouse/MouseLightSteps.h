#pragma once
// The mouse's light preview steps over the shared light engine: which step each effect runs,
// how often, and the mouse's own group flow (effect 5). The wave (effect 0) is the same colour
// wave the mouse pad runs. Like the engine, not thread-safe: call under the model's LED lock.

#include <cstdint>

#include "devicelink/LightEngine.h"

namespace morvek {

enum class MouseLightStep : uint8_t {
    Wave,                  // effect 0
    Spectrum,              // 1
    Breathing,             // 2
    Static,                // 3
    Flash,                 // 4
    GroupFlow,             // 5
    BreathingFourColours,  // 6
    FlashFourColours,      // 7
    Clear,                 // 8
    CustomMode,            // 9 and above: custom light mode (effect - 9)
};

MouseLightStep MouseStepOfEffect(uint8_t effect);

// Ticks of 2 ms between two preview steps: by speed level, the same for every built-in
// effect; a custom light mode passes every tick (its player counts towards each entry's speed).
uint8_t MouseStepInterval(uint8_t effect, uint8_t speedLevel);

class MouseGroupFlow {
public:
    static constexpr int kGroupCount = 9;
    static constexpr uint8_t kGroupColourSpacing = 12;

    // One step: the groups fade, the groups under the wave light up again, the wave moves one
    // place in the settings' direction; each group's LEDs take the configured colour, or wheel
    // colours 12 entries apart per group with colour cycle on, at the level's brightness scaled
    // by the group's fade.
    void Step(LightEngine& engine);
};

// Runs one step of a built-in effect; false (nothing done) for the custom light modes, which
// the caller plays itself.
bool RunMouseStep(uint8_t effect, LightEngine& engine, MouseGroupFlow& flow);

}  // namespace morvek
