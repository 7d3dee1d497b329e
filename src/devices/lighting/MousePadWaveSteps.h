#pragma once
// The mouse pad's own light steps over the shared light engine: the wave (mode 0), the fading
// wave over all LEDs (mode 6) and the paired-LED wave (mode 7). Each call advances the effect
// by one tick and writes the LED buffer; the pad's light thread decides when a step runs.
// Like the engine, not thread-safe: call under the model's LED lock.

#include <cstdint>

#include "devicelink/LightEngine.h"

namespace morvek {

class MousePadWaveSteps {
public:
    // A colour wave running along the LEDs: wheel colours 7 entries apart with random colour,
    // else the configured colour under a moving brightness curve.
    static void StepWave(LightEngine& engine);
    // A lit spot travelling round the LEDs, each LED fading after it has passed.
    void StepFadingWave(LightEngine& engine);
    // The same over the mirrored LED pairs (1, 14) .. (7, 8); LED 0 is left alone.
    void StepPairedWave(LightEngine& engine);

private:
    // Every second call moves the wave: its ring (the first ringLength wave bytes) rotates one
    // place after the LEDs under it are marked. An empty ring gets one lit place first, so the
    // wave never runs dark.
    void MoveWave(LightEngine& engine, size_t ringLength, bool up);

    uint8_t moveCounter_ = 0;
};

}  // namespace morvek
