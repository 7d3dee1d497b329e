#pragma once
// DeviceTaskQueue: the serial task queue a device model owns. Every transfer of a device runs
// here, one task after the other in the order posted, never on the user-interface thread; a
// result goes back to the user-interface thread through the IUiDispatcher.
//
// Thread mode: one worker thread waits on a condition variable (no polling) and runs the tasks.
// Inline mode (command line): a task runs on the posting thread; a task posted while another
// runs (from inside it or from another thread) runs right after it, so the order and the
// one-at-a-time rule are the same in both modes.
//
// Stopping is at once: RequestStop drops the waiting tasks, refuses new ones, wakes a Pause and
// drops results not yet delivered. A task already running is not interrupted by the queue: its
// owner ends it by closing the channel it waits on (CTalvorenUSBDevice::Shutdown does), then
// Join waits for it. No thread is ever killed.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "devicelink/UiDispatcher.h"

namespace morvek {

enum class TaskQueueMode { Thread, Inline };

class DeviceTaskQueue {
public:
    using Task = std::function<void()>;

    // The worker of thread mode starts here.
    DeviceTaskQueue(IUiDispatcher& ui, TaskQueueMode mode);
    // Stop().
    ~DeviceTaskQueue();
    DeviceTaskQueue(const DeviceTaskQueue&) = delete;
    DeviceTaskQueue& operator=(const DeviceTaskQueue&) = delete;

    TaskQueueMode Mode() const { return mode_; }
    IUiDispatcher& Ui() { return ui_; }

    // Queues a task; false (the task is dropped) once a stop was requested.
    bool Post(Task task);
    // As Post, but while a task of the same key waits (posted, not yet started) the new one is
    // dropped and false returned: periodic work (frames, power reads) never piles up behind a
    // slow device. key must be >= 0.
    bool PostCoalesced(int key, Task task);
    // Runs work on the device thread and hands its result (if any) to done on the
    // user-interface thread. done is dropped when the queue stops before it runs.
    template <class Work, class Done>
    bool PostWithResult(Work work, Done done);

    // Posts callback to the user-interface thread; it is dropped when the queue was stopped
    // before it runs. Any thread.
    void PostToUi(std::function<void()> callback);

    // Waits on the device thread for the given time; a stop request ends the wait at once.
    // False when stopping. Call it from a task only.
    bool Pause(std::chrono::milliseconds duration);

    void RequestStop();
    // Waits for the running task (if any) and the worker to end. Not from a task.
    void Join();
    void Stop() {
        RequestStop();
        Join();
    }
    bool StopRequested() const;

    // True on the thread that runs this queue's tasks, while it runs one (inline mode) or
    // always (the worker of thread mode).
    bool IsDeviceThread() const;
    // Blocks until every task posted so far has finished, or the queue stops. Not from a task.
    void WaitIdle();
    size_t PendingCount() const;
    // How many Pause calls have begun (diagnostics and tests).
    uint64_t PauseCount() const;

private:
    struct Entry {
        Task task;
        int key = -1;
    };

    bool Enqueue(Task task, int key);
    void RunWorker();
    // Inline mode: runs queued tasks on this thread until the queue is empty.
    void DrainInline(std::unique_lock<std::mutex>& lock);
    void RunOne(Entry& entry, std::unique_lock<std::mutex>& lock);

    IUiDispatcher& ui_;
    const TaskQueueMode mode_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;  // worker and Pause
    std::condition_variable idle_;  // WaitIdle
    std::deque<Entry> tasks_;
    std::vector<int> waitingKeys_;
    bool stop_ = false;
    bool running_ = false;  // a task runs now
    std::thread::id runner_;
    uint64_t pauses_ = 0;
    // Results posted to the user-interface thread run only while this lives.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
    std::thread worker_;
};

template <class Work, class Done>
bool DeviceTaskQueue::PostWithResult(Work work, Done done) {
    using Result = std::invoke_result_t<Work&>;
    return Post([this, work = std::move(work), done = std::move(done)]() mutable {
        if constexpr (std::is_void_v<Result>) {
            work();
            PostToUi([done]() mutable { done(); });
        } else {
            Result result = work();
            PostToUi([done, result = std::move(result)]() mutable { done(std::move(result)); });
        }
    });
}

}  // namespace morvek
