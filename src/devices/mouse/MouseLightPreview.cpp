#include "devices/mouse/MouseLightPreview.h"

#include <algorithm>
#include <utility>

namespace morvek {

MouseLightPreview::MouseLightPreview(Hooks hooks) : hooks_(std::move(hooks)) {}

MouseLightPreview::~MouseLightPreview() { Stop(); }

void MouseLightPreview::Start() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) return;
    stop_ = false;
    ticks_.Pause();
    counted_ = 0;
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

std::chrono::milliseconds MouseLightPreview::CatchUp() {
    const auto nowMs = static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
    // The hooks take the model's locks: never call them under this mutex.
    const bool attached = hooks_.attached();
    const uint32_t interval = attached ? hooks_.interval() : 0;
    uint32_t steps = 0;
    std::chrono::milliseconds sleep = kIdlePass;
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable() || stop_) return kIdlePass;
        if (!attached) {
            ticks_.Pause();
            counted_ = 0;
            return kIdlePass;
        }
        const uint32_t elapsed = ticks_.Due(nowMs);
        if (std::exchange(restart_, false)) counted_ = 0;
        // A paused preview counts no ticks.
        if (!paused_) steps = StepsDue(elapsed, interval, counted_);
        sleep = ticks_.Until(TicksToSleep(interval, counted_), nowMs);
    }
    for (uint32_t step = 0; step < steps; ++step) hooks_.step();
    return sleep;
}

void MouseLightPreview::Run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        lock.unlock();
        const std::chrono::milliseconds sleep = CatchUp();
        lock.lock();
        wake_.wait_for(lock, sleep, [this] { return stop_; });
    }
}

}  // namespace morvek
