#include "devicelink/LightPassThread.h"

#include <algorithm>
#include <utility>

namespace morvek {

LightPassThread::LightPassThread(PassFunction passes) : passes_(std::move(passes)) {}

LightPassThread::~LightPassThread() { Stop(); }

void LightPassThread::Start() {
    Stop();
    std::lock_guard lock(mutex_);
    stop_ = false;
    woken_ = false;
    thread_ = std::thread([this] { Run(); });
}

void LightPassThread::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void LightPassThread::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wake_.notify_all();
}

bool LightPassThread::IsRunning() const {
    std::lock_guard lock(mutex_);
    return thread_.joinable() && !stop_;
}

void LightPassThread::Run() {
    using Clock = std::chrono::steady_clock;
    Clock::time_point counted = Clock::now();
    std::unique_lock lock(mutex_);
    while (!stop_) {
        woken_ = false;
        const Clock::time_point now = Clock::now();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - counted);
        const uint32_t passes =
            static_cast<uint32_t>(std::clamp<int64_t>(elapsed / kPass, 1, kMaxPassesAtOnce));
        // Only whole passes are counted; the rest of a millisecond carries over.
        counted = elapsed < kPass ? now : counted + elapsed;
        lock.unlock();
        const std::chrono::milliseconds sleep = std::max(passes_(passes), kPass);
        lock.lock();
        wake_.wait_until(lock, Clock::now() + sleep, [this] { return stop_ || woken_; });
    }
}

}  // namespace morvek
