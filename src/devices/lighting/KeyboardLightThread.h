#pragma once
// KeyboardLightThread: the keyboard model's light thread. It runs the model's light pass again
// and again; each pass says how long the thread may sleep before the next one (kUntilWoken:
// until Wake or Stop, so an idle thread costs nothing). The sleep is a wait on a condition
// variable with that deadline, so Stop ends it at once; the thread is never killed.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace morvek {

class KeyboardLightThread {
public:
    // Runs on the light thread; returns the time until the next pass.
    using Pass = std::function<std::chrono::milliseconds()>;
    // A pass's answer: nothing to do until the thread is woken.
    static constexpr std::chrono::milliseconds kUntilWoken = std::chrono::milliseconds::max();

    explicit KeyboardLightThread(Pass pass);
    // Stop().
    ~KeyboardLightThread();
    KeyboardLightThread(const KeyboardLightThread&) = delete;
    KeyboardLightThread& operator=(const KeyboardLightThread&) = delete;

    // Starts the thread; a running one is stopped first. The first pass runs at once.
    void Start();
    // Ends the wait at once and joins the thread. A pass in progress is finished first.
    // Idempotent; never from the light thread itself.
    void Stop();
    bool Running() const;
    // Cuts the current wait short, so the next pass runs now (a mode change, a key event).
    void Wake();

private:
    void Run();

    Pass pass_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool woken_ = false;
    bool running_ = false;
    std::thread thread_;
};

}  // namespace morvek
