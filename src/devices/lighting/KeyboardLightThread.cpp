#include "devices/lighting/KeyboardLightThread.h"

#include <utility>

namespace morvek {

KeyboardLightThread::KeyboardLightThread(Pass pass) : pass_(std::move(pass)) {}

KeyboardLightThread::~KeyboardLightThread() { Stop(); }

void KeyboardLightThread::Start() {
    Stop();
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
        woken_ = false;
        running_ = true;
    }
    thread_ = std::thread([this] { Run(); });
}

void KeyboardLightThread::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        running_ = false;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool KeyboardLightThread::Running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void KeyboardLightThread::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wake_.notify_all();
}

void KeyboardLightThread::Run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        woken_ = false;
        lock.unlock();
        const auto wait = pass_();
        lock.lock();
        const auto woken = [this] { return stop_ || woken_; };
        if (wait == kUntilWoken) {
            wake_.wait(lock, woken);
        } else {
            wake_.wait_until(lock, std::chrono::steady_clock::now() + wait, woken);
        }
    }
}

}  // namespace morvek
