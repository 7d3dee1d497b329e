#include "devicelink/DeviceTaskQueue.h"

#include <algorithm>
#include <exception>

#include "platform/Trace.h"

namespace morvek {

DeviceTaskQueue::DeviceTaskQueue(IUiDispatcher& ui, TaskQueueMode mode) : ui_(ui), mode_(mode) {
    if (mode_ == TaskQueueMode::Thread) {
        worker_ = std::thread([this] { RunWorker(); });
    }
}

DeviceTaskQueue::~DeviceTaskQueue() { Stop(); }

bool DeviceTaskQueue::Post(Task task) { return Enqueue(std::move(task), -1); }

bool DeviceTaskQueue::PostCoalesced(int key, Task task) { return Enqueue(std::move(task), key < 0 ? -1 : key); }

bool DeviceTaskQueue::Enqueue(Task task, int key) {
    if (!task) return false;
    std::unique_lock lock(mutex_);
    if (stop_) return false;
    if (key >= 0) {
        if (std::find(waitingKeys_.begin(), waitingKeys_.end(), key) != waitingKeys_.end()) return false;
        waitingKeys_.push_back(key);
    }
    tasks_.push_back({std::move(task), key});
    if (mode_ == TaskQueueMode::Thread) {
        lock.unlock();
        wake_.notify_all();
        return true;
    }
    // Inline: whoever finds nobody running the queue runs it.
    if (!running_) DrainInline(lock);
    return true;
}

void DeviceTaskQueue::RunOne(Entry& entry, std::unique_lock<std::mutex>& lock) {
    if (entry.key >= 0) std::erase(waitingKeys_, entry.key);
    running_ = true;
    runner_ = std::this_thread::get_id();
    lock.unlock();
    try {
        entry.task();
    } catch (const std::exception& e) {
        Trace(std::string("device task failed: ") + e.what());
    } catch (...) {
        Trace("device task failed");
    }
    entry.task = nullptr;  // captured state goes on this thread, outside the lock
    lock.lock();
    running_ = false;
    if (mode_ == TaskQueueMode::Inline) runner_ = std::thread::id();
    idle_.notify_all();
}

void DeviceTaskQueue::DrainInline(std::unique_lock<std::mutex>& lock) {
    while (!stop_ && !tasks_.empty()) {
        Entry entry = std::move(tasks_.front());
        tasks_.pop_front();
        RunOne(entry, lock);
    }
}

void DeviceTaskQueue::RunWorker() {
    std::unique_lock lock(mutex_);
    runner_ = std::this_thread::get_id();
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !tasks_.empty(); });
        if (stop_) {
            runner_ = std::thread::id();  // a later thread may get the same id
            return;
        }
        Entry entry = std::move(tasks_.front());
        tasks_.pop_front();
        RunOne(entry, lock);
    }
}

void DeviceTaskQueue::PostToUi(std::function<void()> callback) {
    if (!callback) return;
    std::weak_ptr<const bool> alive;
    {
        std::lock_guard lock(mutex_);
        if (stop_) return;
        alive = alive_;
    }
    ui_.Post([alive = std::move(alive), callback = std::move(callback)]() mutable {
        if (!alive.expired()) callback();
    });
}

bool DeviceTaskQueue::Pause(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    ++pauses_;
    return !wake_.wait_for(lock, duration, [this] { return stop_; });
}

void DeviceTaskQueue::RequestStop() {
    std::deque<Entry> dropped;
    std::shared_ptr<const bool> alive;
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        dropped.swap(tasks_);
        waitingKeys_.clear();
        alive.swap(alive_);
    }
    wake_.notify_all();
    idle_.notify_all();
    // The dropped tasks and the life token go outside the lock.
}

void DeviceTaskQueue::Join() {
    if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id()) worker_.join();
    if (mode_ == TaskQueueMode::Inline) {
        // A task running inline on another thread: wait for it.
        std::unique_lock lock(mutex_);
        if (runner_ != std::this_thread::get_id()) idle_.wait(lock, [this] { return !running_; });
    }
}

bool DeviceTaskQueue::StopRequested() const {
    std::lock_guard lock(mutex_);
    return stop_;
}

bool DeviceTaskQueue::IsDeviceThread() const {
    std::lock_guard lock(mutex_);
    if (mode_ == TaskQueueMode::Thread) return runner_ == std::this_thread::get_id();
    return running_ && runner_ == std::this_thread::get_id();
}

void DeviceTaskQueue::WaitIdle() {
    std::unique_lock lock(mutex_);
    if (running_ && runner_ == std::this_thread::get_id()) return;  // from a task: would never end
    idle_.wait(lock, [this] { return stop_ ? !running_ : (tasks_.empty() && !running_); });
}

size_t DeviceTaskQueue::PendingCount() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

uint64_t DeviceTaskQueue::PauseCount() const {
    std::lock_guard lock(mutex_);
    return pauses_;
}

}  // namespace morvek
