#pragma once
// The mouse's light preview thread. While the mouse is attached and the light panel does not
// pause it, it counts ticks of 2 ms and runs one preview step each time the count reaches the
// interval of the current speed level; while the mouse is away it checks again every 100 ms.
// It does not wake for every tick: it sleeps until the tick of the next step, but at least 5
// ticks (10 ms; the picture shows a frame every 50 ms), and then runs the steps of the ticks
// that went by in order (at most 25 ticks after a late wake-up). It waits on a condition
// variable, so Stop ends it at once.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace morvek {

class MouseLightPreview {
public:
    static constexpr std::chrono::milliseconds kTick{2};
    static constexpr std::chrono::milliseconds kIdlePass{100};
    static constexpr uint32_t kMinWaitTicks = 5;
    static constexpr uint32_t kMaxCatchUpTicks = 25;

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

    // The steps due after `elapsed` more ticks with `counted` ticks already counted towards
    // an interval of `interval`; counted becomes the ticks left over.
    static uint32_t StepsDue(uint32_t elapsed, uint32_t interval, uint32_t& counted);
    // How many ticks the thread sleeps before it looks again.
    static uint32_t TicksToSleep(uint32_t interval, uint32_t counted);

private:
    void Run();

    Hooks hooks_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool paused_ = false;
    bool restart_ = false;
    std::thread thread_;
};

}  // namespace morvek
