#include "devicelink/UiDispatcher.h"

#include <utility>

namespace morvek {

void QueuedUiDispatcher::Post(std::function<void()> callback) {
    if (!callback) return;
    {
        std::lock_guard lock(mutex_);
        callbacks_.push_back(std::move(callback));
    }
    posted_.notify_all();
}

size_t QueuedUiDispatcher::RunPending() {
    size_t run = 0;
    for (;;) {
        std::function<void()> next;
        {
            std::lock_guard lock(mutex_);
            if (callbacks_.empty()) return run;
            next = std::move(callbacks_.front());
            callbacks_.pop_front();
        }
        next();
        ++run;
    }
}

size_t QueuedUiDispatcher::WaitAndRun(std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(mutex_);
        posted_.wait_for(lock, timeout, [this] { return !callbacks_.empty(); });
    }
    return RunPending();
}

size_t QueuedUiDispatcher::PendingCount() const {
    std::lock_guard lock(mutex_);
    return callbacks_.size();
}

}  // namespace morvek
