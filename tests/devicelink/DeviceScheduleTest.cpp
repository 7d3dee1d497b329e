// The list entry's timers as a per-device schedule, driven with a clock the test moves.

#include <gtest/gtest.h>

#include "DeviceModelTestSupport.h"
#include "devicelink/DeviceEventReader.h"
#include "devicelink/DeviceSchedule.h"
#include "emulator/EmulatorBackend.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using std::chrono::milliseconds;

class DeviceScheduleTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeviceEntry identity = InterfaceMatchTable()[0];
        identity.path = test::kEmuKeyboardCommand;
        model_.AttachIdentity(identity);
        model_.SetLightCount(126);
    }

    void Open() { ASSERT_TRUE(model_.CommandChannel().Open(test::kEmuKeyboardCommand)); }
    void Advance(int ms) { clock_.Advance(milliseconds(ms)); }
    DeviceSchedule::TimePoint At(int ms) const { return start_ + milliseconds(ms); }

    emulator::EmulatorBackend backend_;
    emulator::EmulatedDevice& keyboard_ = backend_.Attach(EmulatedKind::Keyboard);
    test::FakeClock clock_;
    const DeviceSchedule::TimePoint start_ = clock_.Now();
    InlineUiDispatcher ui_;
    test::RecordingModel model_{backend_, ui_, TaskQueueMode::Inline};
    DeviceSchedule schedule_{model_, clock_.Function()};
};

TEST_F(DeviceScheduleTest, ArrivalReadsTheConfigurationAfter500MsThenFramesEvery50Ms) {
    Open();
    schedule_.OnArrival();
    EXPECT_EQ(schedule_.Deadline(DeviceTimer::ReadConfig), At(500));
    EXPECT_EQ(schedule_.NextDeadline(), At(500));

    Advance(499);
    EXPECT_EQ(schedule_.RunDue(), At(500));
    EXPECT_EQ(model_.configReads.load(), 0);

    Advance(1);
    EXPECT_EQ(schedule_.RunDue(), At(505));
    EXPECT_EQ(model_.configReads.load(), 1);
    EXPECT_EQ(model_.lastConfigResult.load(), kResultSuccess);
    EXPECT_FALSE(schedule_.IsRunning(DeviceTimer::ReadConfig));
    EXPECT_FALSE(schedule_.IsRunning(DeviceTimer::PowerStatus));  // style 0

    Advance(5);
    EXPECT_EQ(schedule_.RunDue(), At(555));
    EXPECT_EQ(model_.frames.load(), 1);
    EXPECT_EQ(keyboard_.FrameCount(), 7u);  // 378 bytes in 56-byte chunks
    Advance(50);
    EXPECT_EQ(schedule_.RunDue(), At(605));
    EXPECT_EQ(model_.frames.load(), 2);
    EXPECT_EQ(model_.configReads.load(), 1);
    EXPECT_EQ(model_.powerReads.load(), 0);
}

TEST_F(DeviceScheduleTest, ATimerFiresOnceEvenWhenItsDeadlineIsLongPast) {
    Open();
    schedule_.OnArrival();
    Advance(500);
    schedule_.RunDue();
    Advance(10000);
    EXPECT_EQ(schedule_.RunDue(), At(10550));
    EXPECT_EQ(model_.frames.load(), 1);
}

TEST_F(DeviceScheduleTest, FramesKeepToTheirGridWhenTheyFireLate) {
    // A grid of 50 ms from time 0 of the test.
    schedule_.SetFrameGrid([this](DeviceSchedule::TimePoint earliest) {
        const auto offset = std::chrono::duration_cast<milliseconds>(earliest - start_).count();
        return At(static_cast<int>((offset + 49) / 50 * 50));
    });
    Open();
    schedule_.OnArrival();
    Advance(500);
    EXPECT_EQ(schedule_.RunDue(), At(550));  // the first grid point 5 ms or more after the read
    struct Step {
        int firedAt;   // when the window gets round to the due frame
        int next;      // the next frame's deadline
    };
    for (const Step step : {Step{550, 600}, Step{620, 650}, Step{674, 700}, Step{730, 800}}) {
        SCOPED_TRACE(step.firedAt);
        clock_.Set(At(step.firedAt));
        EXPECT_EQ(schedule_.RunDue(), At(step.next));
    }
    EXPECT_EQ(model_.frames.load(), 4);
}

TEST_F(DeviceScheduleTest, PowerStatusEveryFiveSecondsWhenTheStyleAsks) {
    model_.SetPowerIndicatorStyle(1);
    Open();
    schedule_.OnArrival();
    Advance(500);
    schedule_.RunDue();
    EXPECT_EQ(schedule_.Deadline(DeviceTimer::PowerStatus), At(5500));
    Advance(5000);
    schedule_.RunDue();
    EXPECT_EQ(model_.powerReads.load(), 1);
    ASSERT_TRUE(model_.LastPowerStatus().has_value());
    EXPECT_EQ((*model_.LastPowerStatus())[0], 100);
    EXPECT_EQ(schedule_.Deadline(DeviceTimer::PowerStatus), At(10500));

    // The style switched off: the timer is not started again.
    model_.SetPowerIndicatorStyle(0);
    Advance(5000);
    schedule_.RunDue();
    EXPECT_EQ(model_.powerReads.load(), 2);
    EXPECT_FALSE(schedule_.IsRunning(DeviceTimer::PowerStatus));
}

TEST_F(DeviceScheduleTest, AClosedChannelRunsTheConfigurationReadOnceAndStops) {
    schedule_.OnArrival();  // arrival whose channel did not open
    Advance(500);
    EXPECT_EQ(schedule_.RunDue(), std::nullopt);
    EXPECT_EQ(model_.configReads.load(), 1);
    EXPECT_EQ(model_.lastConfigResult.load(), kResultNoAnswer);
    EXPECT_FALSE(schedule_.IsRunning(DeviceTimer::Frame));
}

TEST_F(DeviceScheduleTest, FramesStopWhenTheChannelCloses) {
    Open();
    schedule_.OnArrival();
    Advance(505);
    schedule_.RunDue();
    schedule_.RunDue();
    ASSERT_TRUE(schedule_.IsRunning(DeviceTimer::Frame));
    model_.CommandChannel().Close();
    Advance(50);
    EXPECT_EQ(schedule_.RunDue(), std::nullopt);
    EXPECT_FALSE(schedule_.IsRunning(DeviceTimer::Frame));
}

TEST_F(DeviceScheduleTest, SyncRequestReadsTheDeviceProfileAfterItsDelayOnce) {
    Open();
    schedule_.OnSyncRequest(SyncDelayMs(kKindKeyboard));
    EXPECT_EQ(schedule_.Deadline(DeviceTimer::ReadProfile), At(100));
    Advance(99);
    schedule_.RunDue();
    EXPECT_EQ(model_.profileReads.load(), 0);
    Advance(1);
    EXPECT_EQ(schedule_.RunDue(), std::nullopt);
    EXPECT_EQ(model_.profileReads.load(), 1);

    schedule_.OnSyncRequest(SyncDelayMs(kKindMousePad));
    EXPECT_EQ(schedule_.Deadline(DeviceTimer::ReadProfile), At(600));
}

TEST_F(DeviceScheduleTest, NoProfileReadWhileTheChannelIsClosed) {
    schedule_.OnSyncRequest(100);
    EXPECT_FALSE(schedule_.IsRunning(DeviceTimer::ReadProfile));
}

TEST_F(DeviceScheduleTest, RemovalStopsEveryTimer) {
    model_.SetPowerIndicatorStyle(1);
    Open();
    schedule_.OnArrival();
    Advance(500);
    schedule_.RunDue();
    schedule_.OnSyncRequest(100);
    ASSERT_TRUE(schedule_.IsRunning(DeviceTimer::Frame));
    ASSERT_TRUE(schedule_.IsRunning(DeviceTimer::PowerStatus));
    schedule_.OnRemoval();
    EXPECT_EQ(schedule_.NextDeadline(), std::nullopt);
    Advance(10000);
    EXPECT_EQ(schedule_.RunDue(), std::nullopt);
    EXPECT_EQ(model_.frames.load(), 0);
    EXPECT_EQ(model_.profileReads.load(), 0);
}

TEST_F(DeviceScheduleTest, HooksHearOfStartedTimersAndFrameTicks) {
    int changes = 0;
    int frameTicks = 0;
    schedule_.SetChangedHook([&] { ++changes; });
    schedule_.SetFrameHook([&] { ++frameTicks; });
    Open();
    schedule_.OnArrival();
    EXPECT_EQ(changes, 1);
    Advance(500);
    schedule_.RunDue();
    EXPECT_EQ(changes, 2);  // frame timer
    Advance(5);
    schedule_.RunDue();
    EXPECT_EQ(frameTicks, 1);
    EXPECT_EQ(changes, 3);
}

// The configuration read goes through the device thread; what follows it starts when its
// result reaches the user-interface thread, and not when the device left meanwhile.
TEST(DeviceScheduleThreadTest, FollowUpTimersStartWhenTheResultArrivesThroughTheDispatcher) {
    emulator::EmulatorBackend backend;
    backend.Attach(EmulatedKind::Keyboard);
    test::FakeClock clock;
    QueuedUiDispatcher ui;
    test::RecordingModel model(backend, ui, TaskQueueMode::Thread);
    DeviceSchedule schedule(model, clock.Function());
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));

    schedule.OnArrival();
    clock.Advance(milliseconds(500));
    EXPECT_EQ(schedule.RunDue(), std::nullopt);  // the read runs on the device thread
    model.Tasks().WaitIdle();
    EXPECT_EQ(model.configReads.load(), 1);
    EXPECT_FALSE(schedule.IsRunning(DeviceTimer::Frame));
    ui.RunPending();
    EXPECT_TRUE(schedule.IsRunning(DeviceTimer::Frame));

    // Removed while the next read runs: its result starts nothing.
    schedule.OnRemoval();
    schedule.OnArrival();
    clock.Advance(milliseconds(500));
    schedule.RunDue();
    model.Tasks().WaitIdle();
    schedule.OnRemoval();
    ui.RunPending();
    EXPECT_EQ(model.configReads.load(), 2);
    EXPECT_EQ(schedule.NextDeadline(), std::nullopt);
}

}  // namespace
}  // namespace morvek
