#pragma once
// LightPassClock: counts a light thread's passes on a millisecond clock. A light thread does
// not wake for every pass: it sleeps until a pass changes something, then runs the passes that
// went by meanwhile (up to a catch-up limit, so a late wake-up does not race the effect).

#include <chrono>
#include <cstdint>

namespace morvek {

// The light threads' pace. Frames (every 50 ms) bring the LEDs up to date before they are
// built, running the passes that went by since the last; a light thread itself looks only this
// often, so the light goes on while no frame asks, and never wakes just to compute a picture
// nobody sees before the next frame.
inline constexpr std::chrono::milliseconds kLightThreadMinWait{200};
// The most time one catch-up computes: two frame periods, so a frame that comes a little late
// loses nothing; after a longer stall the light goes on from where it was.
inline constexpr std::chrono::milliseconds kLightMaxCatchUp{100};

class LightPassClock {
public:
    LightPassClock(uint32_t passMs, uint32_t maxCatchUp) : passMs_(passMs), maxCatchUp_(maxCatchUp) {}

    // The light may not run (channel closed, synchronised): the next Due counts afresh.
    void Pause() { running_ = false; }
    // The passes that went by up to nowMs, at most the catch-up limit; 0 on the first call
    // after a pause, which starts the count. The rest of a pass carries over.
    uint32_t Due(uint32_t nowMs);
    // How long until the given number of further passes has gone by.
    std::chrono::milliseconds Until(uint32_t passes, uint32_t nowMs) const;

private:
    uint32_t passMs_;
    uint32_t maxCatchUp_;
    uint32_t baseMs_ = 0;
    bool running_ = false;
};

}  // namespace morvek
