// The keyboard light thread: passes, waits that end at once on Stop or Wake, restarts.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "devices/lighting/KeyboardLightThread.h"

namespace morvek {
namespace {

using namespace std::chrono_literals;

// Counts passes and lets the test wait for a number of them.
class PassCounter {
public:
    explicit PassCounter(std::chrono::milliseconds wait) : wait_(wait) {}
    std::chrono::milliseconds Pass() {
        std::lock_guard lock(mutex_);
        ++passes_;
        changed_.notify_all();
        return wait_;
    }
    bool WaitFor(int passes) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return passes_ >= passes; });
    }
    int Passes() {
        std::lock_guard lock(mutex_);
        return passes_;
    }

private:
    std::chrono::milliseconds wait_;
    std::mutex mutex_;
    std::condition_variable changed_;
    int passes_ = 0;
};

TEST(KeyboardLightThreadTest, RunsPassesUntilStopped) {
    PassCounter counter(1ms);
    KeyboardLightThread thread([&] { return counter.Pass(); });
    EXPECT_FALSE(thread.Running());
    thread.Start();
    EXPECT_TRUE(thread.Running());
    EXPECT_TRUE(counter.WaitFor(5));
    thread.Stop();
    EXPECT_FALSE(thread.Running());
    const int passes = counter.Passes();
    std::this_thread::sleep_for(5ms);
    EXPECT_EQ(counter.Passes(), passes);
}

TEST(KeyboardLightThreadTest, StopAndWakeEndALongWaitAtOnce) {
    // A day's wait, and a wait with no deadline at all (an idle thread).
    for (const std::chrono::milliseconds wait : {std::chrono::milliseconds(24h), KeyboardLightThread::kUntilWoken}) {
        SCOPED_TRACE(wait.count());
        PassCounter counter(wait);
        KeyboardLightThread thread([&] { return counter.Pass(); });
        thread.Start();
        ASSERT_TRUE(counter.WaitFor(1));
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(counter.Passes(), 1);  // asleep, not passing again
        thread.Wake();
        EXPECT_TRUE(counter.WaitFor(2));
        thread.Stop();  // would hang if the wait did not end
        EXPECT_EQ(counter.Passes(), 2);
    }
}

TEST(KeyboardLightThreadTest, StartAgainRestartsAndTheDestructorStops) {
    PassCounter counter(24h);
    {
        KeyboardLightThread thread([&] { return counter.Pass(); });
        thread.Start();
        ASSERT_TRUE(counter.WaitFor(1));
        thread.Start();
        EXPECT_TRUE(counter.WaitFor(2));
        EXPECT_TRUE(thread.Running());
    }
    EXPECT_EQ(counter.Passes(), 2);
}

}  // namespace
}  // namespace morvek
