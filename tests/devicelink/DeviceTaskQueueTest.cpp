// The serial task queue of a device model: order, one worker, results through the dispatcher,
// coalescing, and stopping at once, also while a task waits on a silent device.

#include <gtest/gtest.h>

#include <future>
#include <set>
#include <thread>

#include "devicelink/DeviceTaskQueue.h"
#include "devicelink/HidChannel.h"
#include "devicelink/UiDispatcher.h"
#include "emulator/EmulatorBackend.h"
#include "DeviceModelTestSupport.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;

TEST(DeviceTaskQueueTest, ThreadModeRunsTasksInOrderOnOneWorkerThread) {
    InlineUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
    std::vector<int> order;
    std::set<std::thread::id> threads;
    bool onDeviceThread = true;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(queue.Post([&, i] {
            order.push_back(i);
            threads.insert(std::this_thread::get_id());
            onDeviceThread = onDeviceThread && queue.IsDeviceThread();
        }));
    }
    queue.WaitIdle();
    std::vector<int> expected(200);
    for (int i = 0; i < 200; ++i) expected[static_cast<size_t>(i)] = i;
    EXPECT_EQ(order, expected);
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
    EXPECT_TRUE(onDeviceThread);
    EXPECT_FALSE(queue.IsDeviceThread());
}

TEST(DeviceTaskQueueTest, InlineModeRunsOnTheCallerAndKeepsTheOrderOfNestedPosts) {
    InlineUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Inline);
    std::vector<int> order;
    std::thread::id ranOn;
    queue.Post([&] {
        ranOn = std::this_thread::get_id();
        order.push_back(1);
        queue.Post([&] { order.push_back(3); });
        order.push_back(2);
    });
    // Everything ran before Post returned, a nested task after the one that posted it.
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST(DeviceTaskQueueTest, ResultsArriveThroughTheDispatcherOnItsThread) {
    QueuedUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
    std::thread::id workThread;
    std::thread::id doneThread;
    int result = 0;
    bool voidDone = false;
    ASSERT_TRUE(queue.PostWithResult(
        [&] {
            workThread = std::this_thread::get_id();
            return 42;
        },
        [&](int r) {
            result = r;
            doneThread = std::this_thread::get_id();
        }));
    ASSERT_TRUE(queue.PostWithResult([] {}, [&] { voidDone = true; }));
    queue.WaitIdle();
    // The work is done; the results wait for the user-interface thread.
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(voidDone);
    EXPECT_EQ(ui.PendingCount(), 2u);
    EXPECT_EQ(ui.RunPending(), 2u);
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(voidDone);
    EXPECT_EQ(doneThread, std::this_thread::get_id());
    EXPECT_NE(workThread, std::this_thread::get_id());
}

TEST(DeviceTaskQueueTest, ACoalescedTaskWaitsOnlyOnce) {
    InlineUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
    std::promise<void> gate;
    std::shared_future<void> open = gate.get_future().share();
    queue.Post([open] { open.wait(); });
    int frames = 0;
    int powers = 0;
    EXPECT_TRUE(queue.PostCoalesced(1, [&] { ++frames; }));
    EXPECT_FALSE(queue.PostCoalesced(1, [&] { ++frames; }));
    EXPECT_TRUE(queue.PostCoalesced(2, [&] { ++powers; }));
    gate.set_value();
    queue.WaitIdle();
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(powers, 1);
    // Once it ran, the next one is taken again.
    EXPECT_TRUE(queue.PostCoalesced(1, [&] { ++frames; }));
    queue.WaitIdle();
    EXPECT_EQ(frames, 2);
}

TEST(DeviceTaskQueueTest, StopDropsWaitingTasksAndRefusesNewOnes) {
    InlineUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
    std::promise<void> started;
    std::promise<void> gate;
    std::shared_future<void> open = gate.get_future().share();
    queue.Post([&started, open] {
        started.set_value();
        open.wait();
    });
    int later = 0;
    for (int i = 0; i < 5; ++i) queue.Post([&] { ++later; });
    started.get_future().wait();
    queue.RequestStop();
    EXPECT_TRUE(queue.StopRequested());
    EXPECT_EQ(queue.PendingCount(), 0u);
    gate.set_value();
    queue.Join();
    EXPECT_EQ(later, 0);
    EXPECT_FALSE(queue.Post([&] { ++later; }));
    EXPECT_EQ(later, 0);
}

TEST(DeviceTaskQueueTest, ResultsNotYetDeliveredAreDroppedByStop) {
    QueuedUiDispatcher ui;
    bool done = false;
    {
        DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
        queue.PostWithResult([] { return 1; }, [&](int) { done = true; });
        queue.WaitIdle();
        queue.Stop();
    }
    EXPECT_EQ(ui.RunPending(), 1u);
    EXPECT_FALSE(done);
}

TEST(DeviceTaskQueueTest, StopEndsAPauseOfTheDeviceThread) {
    InlineUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
    std::promise<void> started;
    std::atomic<int> pauseResult{-1};
    queue.Post([&] {
        started.set_value();
        pauseResult = queue.Pause(std::chrono::hours(1)) ? 1 : 0;
    });
    started.get_future().wait();
    queue.Stop();  // would wait an hour if the pause did not end
    EXPECT_EQ(pauseResult.load(), 0);
    EXPECT_EQ(queue.PauseCount(), 1u);
}

TEST(DeviceTaskQueueTest, StopWhileATaskWaitsOnASilentDeviceEndsTheWaitByClosingTheChannel) {
    emulator::EmulatorBackend emulator;
    emulator::EmulatedDevice& keyboard = emulator.Attach(EmulatedKind::Keyboard);
    test::ObservedBackend backend(emulator);
    CHidChannel channel(backend);
    ASSERT_TRUE(channel.Open(test::kEmuKeyboardCommand));
    channel.SetWireless(true);  // 5 s per read: only closing ends it early
    keyboard.SetFaults({.silent = true});

    InlineUiDispatcher ui;
    DeviceTaskQueue queue(ui, TaskQueueMode::Thread);
    std::atomic<int> result{-999};
    queue.Post([&] {
        DeviceInfoRecord info;
        result = channel.ReadDeviceInfo(info);
    });
    ASSERT_TRUE(backend.WaitForRead());
    queue.RequestStop();
    channel.Close();
    queue.Join();

    EXPECT_EQ(result.load(), kResultNoAnswer);
    const auto reads = backend.ReadResults();
    ASSERT_FALSE(reads.empty());
    for (const hid::IoStatus status : reads) EXPECT_EQ(status, hid::IoStatus::Aborted);
}

TEST(QueuedUiDispatcherTest, RunsCallbacksInOrderIncludingThosePostedMeanwhile) {
    QueuedUiDispatcher ui;
    std::vector<int> order;
    ui.Post([&] {
        order.push_back(1);
        ui.Post([&] { order.push_back(3); });
    });
    ui.Post([&] { order.push_back(2); });
    EXPECT_EQ(ui.RunPending(), 3u);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(ui.PendingCount(), 0u);
}

}  // namespace
}  // namespace morvek
