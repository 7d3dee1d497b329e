#pragma once
// The mouse's light preview. While its thread runs, the mouse is attached and the light panel
// does not pause it, it counts ticks of 2 ms and runs one preview step each time the count
// reaches the interval of the current speed level. CatchUp runs the steps of the ticks that went
// by (at most 100 ms of them); each frame calls it before it is built, and the thread calls it
// when it wakes: at the next step, but at least kLightThreadMinWait later. While the mouse is
// away the thread looks again every 100 ms. It waits on a condition variable, so Stop ends it
// at once.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "devicelink/LightPassClock.h"

namespace morvek {

class MouseLightPreview {
public:
    static constexpr std::chrono::milliseconds kTick{2};
    static constexpr std::chrono::milliseconds kIdlePass{100};
    static constexpr uint32_t kMinWaitTicks = kLightThreadMinWait / kTick;
    static constexpr uint32_t kMaxCatchUpTicks = kLightMaxCatchUp / kTick;

    struct Hooks {
        std::function<bool()> attached;       // the command channel is open
        std::function<uint8_t()> interval;    // ticks per step for the current speed level
        std::function<void()> step;           // one preview step
    };

    explicit MouseLightPreview(Hooks hooks);
    // Stop().
    ~MouseLightPreview();
    MouseLightPreview(const MouseLightPreview&) = delete;
    MouseLightPreview& operator=(const MouseLightPreview&) = delete;

    // Starts the thread (nothing when it runs already).
    void Start();
    // Ends the thread at once and waits for it. Idempotent.
    void Stop();
    bool Running() const;
    // The light panel pauses the preview while it edits.
    void SetPaused(bool paused);
    // The tick count starts again (the effect changed).
    void Restart();
    // Runs the steps of the ticks that went by, while the thread runs (any thread may call it;
    // the steps run outside the preview's lock). Returns how long the thread may sleep.
    std::chrono::milliseconds CatchUp();

    // The steps due after `elapsed` more ticks with `counted` ticks already counted towards
    // an interval of `interval`; counted becomes the ticks left over.
    static uint32_t StepsDue(uint32_t elapsed, uint32_t interval, uint32_t& counted);
    // How many ticks the thread sleeps before it looks again: until the next step, but at
    // least kMinWaitTicks.
    static uint32_t TicksToSleep(uint32_t interval, uint32_t counted);

private:
    void Run();

    Hooks hooks_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool paused_ = false;
    bool restart_ = false;
    LightPassClock ticks_{static_cast<uint32_t>(kTick.count()), kMaxCatchUpTicks};
    uint32_t counted_ = 0;  // ticks counted towards the next step
    std::thread thread_;
};

}  // namespace morvek
