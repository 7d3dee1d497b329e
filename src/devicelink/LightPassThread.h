#pragma once
// LightPassThread: the light thread of a device model. The model's light work is counted in
// passes of 1 ms; instead of waking every millisecond, the thread sleeps as long as the model
// says it may and then hands it the number of passes that went by, so an effect that steps
// every 28 passes costs one wake-up per step. The wait is a condition variable with a
// deadline: Stop ends it at once, Wake makes the model look again before its deadline (a new
// light mode or speed).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace morvek {

class LightPassThread {
public:
    // Called on the thread with the passes since the last call (at least 1); returns how long
    // the thread may sleep before the next call.
    using PassFunction = std::function<std::chrono::milliseconds(uint32_t passes)>;

    static constexpr std::chrono::milliseconds kPass{1};
    // Passes handed over at most at once: after a suspend the effect goes on, it does not race.
    static constexpr uint32_t kMaxPassesAtOnce = 1000;

    explicit LightPassThread(PassFunction passes);
    // Stop().
    ~LightPassThread();
    LightPassThread(const LightPassThread&) = delete;
    LightPassThread& operator=(const LightPassThread&) = delete;

    // Starts the thread; a running one is stopped first.
    void Start();
    // Ends the thread at once and waits for it. Not from the pass function.
    void Stop();
    // The pass function runs again now (with the passes gone by so far).
    void Wake();
    bool IsRunning() const;

private:
    void Run();

    PassFunction passes_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool woken_ = false;
    std::thread thread_;
};

}  // namespace morvek
