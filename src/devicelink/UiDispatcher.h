#pragma once
// IUiDispatcher: how results of device work reach the user-interface thread. The window
// provides one that posts to its event loop; the command line and tests run callbacks inline
// or collect them and run them when they choose (QueuedUiDispatcher).

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace morvek {

class IUiDispatcher {
public:
    virtual ~IUiDispatcher() = default;
    // Runs callback on the user-interface thread, later (never inside the caller, except in
    // the inline dispatcher). Callable from any thread.
    virtual void Post(std::function<void()> callback) = 0;
    // Whether the caller runs on the user-interface thread. Only the window's dispatcher knows
    // one: the others answer false, and their callers post.
    virtual bool OnUiThread() const { return false; }
};

// Runs every callback at once on the posting thread: the command line has no event loop.
class InlineUiDispatcher final : public IUiDispatcher {
public:
    void Post(std::function<void()> callback) override {
        if (callback) callback();
    }
};

// Collects callbacks in order; the thread that plays the user-interface thread runs them.
class QueuedUiDispatcher final : public IUiDispatcher {
public:
    void Post(std::function<void()> callback) override;

    // Runs the callbacks posted so far (and those they post meanwhile); the number run.
    size_t RunPending();
    // Waits until a callback is pending or the time-out passes, then runs what is pending.
    size_t WaitAndRun(std::chrono::milliseconds timeout);
    size_t PendingCount() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> callbacks_;
};

}  // namespace morvek
