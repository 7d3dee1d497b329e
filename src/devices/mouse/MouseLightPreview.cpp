#include "devices/mouse/MouseLightPreview.h"

#include <algorithm>
#include <utility>

#include "devicelink/LightPassClock.h"

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

uint32_t MouseLightPreview::StepsDue(uint32_t elapsed, uint32_t interval, uint32_t& counted) {
    interval = std::max<uint32_t>(interval, 1);
    const uint32_t total = counted + elapsed;
    counted = total % interval;
    return total / interval;
}

uint32_t MouseLightPreview::TicksToSleep(uint32_t interval, uint32_t counted) {
    const uint32_t untilStep = interval > counted ? interval - counted : 1;
    return std::max(untilStep, kMinWaitTicks);
}

void MouseLightPreview::Run() {
    using Clock = std::chrono::steady_clock;
    const auto nowMs = [] {
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
    };
    LightPassClock ticks(static_cast<uint32_t>(kTick.count()), kMaxCatchUpTicks);
    uint32_t counted = 0;
    std::unique_lock lock(mutex_);
    while (!stop_) {
        // The hooks take the model's locks: never call them under this mutex.
        lock.unlock();
        const bool attached = hooks_.attached();
        const uint32_t interval = attached ? hooks_.interval() : 0;
        lock.lock();
        if (!attached) {
            ticks.Pause();
            counted = 0;
            wake_.wait_for(lock, kIdlePass, [this] { return stop_; });
            continue;
        }
        const uint32_t elapsed = ticks.Due(nowMs());
        if (std::exchange(restart_, false)) counted = 0;
        // A paused preview counts no ticks.
        const uint32_t steps = paused_ ? 0 : StepsDue(elapsed, interval, counted);
        if (steps > 0) {
            lock.unlock();
            for (uint32_t step = 0; step < steps; ++step) hooks_.step();
            lock.lock();
        }
        const auto sleep = ticks.Until(TicksToSleep(interval, counted), nowMs());
        wake_.wait_for(lock, sleep, [this] { return stop_; });
    }
}

}  // namespace morvek
