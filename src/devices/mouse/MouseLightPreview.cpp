#include "devices/mouse/MouseLightPreview.h"

#include <utility>

namespace morvek {

MouseLightPreview::MouseLightPreview(Hooks hooks) : hooks_(std::move(hooks)) {}

MouseLightPreview::~MouseLightPreview() { Stop(); }

void MouseLightPreview::Start() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) return;
    stop_ = false;
    thread_ = std::thread([this] { Run(); });
}

void MouseLightPreview::Stop() {
    std::thread thread;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        thread = std::move(thread_);
    }
    wake_.notify_all();
    if (thread.joinable()) thread.join();
}

bool MouseLightPreview::Running() const {
    std::lock_guard lock(mutex_);
    return thread_.joinable() && !stop_;
}

void MouseLightPreview::SetPaused(bool paused) {
    std::lock_guard lock(mutex_);
    paused_ = paused;
}

void MouseLightPreview::Restart() {
    std::lock_guard lock(mutex_);
    restart_ = true;
}

void MouseLightPreview::Run() {
    using Clock = std::chrono::steady_clock;
    int ticks = 0;
    auto next = Clock::now() + kTick;
    std::unique_lock lock(mutex_);
    while (!stop_) {
        // The hooks take the model's locks: never call them under this mutex.
        lock.unlock();
        const bool attached = hooks_.attached();
        const int interval = attached ? hooks_.interval() : 0;
        lock.lock();
        if (!attached) {
            wake_.wait_for(lock, kIdlePass, [this] { return stop_; });
            ticks = 0;
            next = Clock::now() + kTick;
            continue;
        }
        if (wake_.wait_until(lock, next, [this] { return stop_; })) break;
        next += kTick;
        const auto now = Clock::now();
        if (next < now) next = now + kTick;  // a late wake-up counts as one tick, as the tick count does
        if (std::exchange(restart_, false)) ticks = 0;
        if (paused_ || ++ticks < interval) continue;
        ticks = 0;
        lock.unlock();
        hooks_.step();
        lock.lock();
    }
}

}  // namespace morvek
