// The channel and its command set against the emulated firmware, faults included.

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "devicelink/DeviceEventReader.h"
#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidChannel.h"
#include "devicelink/HidInterfaceHandle.h"
#include "emulator/EmulatorBackend.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using emulator::FaultPlan;

class ChannelWithEmulatorTest : public ::testing::Test {
protected:
    // Opens the command channel of a kind, found through the match table as the monitor finds it.
    emulator::EmulatedDevice& Attach(EmulatedKind kind, size_t commandSlot) {
        emulator::EmulatedDevice& device = backend_.Attach(kind);
        HidInterfaceHandle enumerator(backend_);
        EXPECT_TRUE(enumerator.EnumerateHidPaths());
        while (auto path = enumerator.NextPath()) slots_.MatchPath(backend_, *path);
        EXPECT_TRUE(channel_.Open(slots_.Slot(commandSlot).path));
        return device;
    }

    emulator::EmulatorBackend backend_;
    DeviceSlotList slots_;
    CHidChannel channel_{backend_};
};

TEST_F(ChannelWithEmulatorTest, KeyboardKeyLayoutAndTablesRoundTrip) {
    emulator::EmulatedDevice& keyboard = Attach(EmulatedKind::Keyboard, 0);
    DeviceInfoRecord info;
    ASSERT_EQ(channel_.ReadDeviceInfo(info), kResultSuccess);
    ASSERT_EQ(info.KeySlotCount(), 126);
    ASSERT_TRUE(channel_.SetBlockSize(static_cast<uint16_t>(info.KeySlotCount() * 3)));
    std::vector<uint8_t> table(378), attr(126);
    ASSERT_EQ(channel_.ReadKeyTable(table.data()), kResultSuccess);
    ASSERT_EQ(channel_.ReadKeyAttrTable(attr.data()), kResultSuccess);
    EXPECT_EQ(table, keyboard.KeyTable());
    EXPECT_EQ((std::vector<uint8_t>(table.begin(), table.begin() + 3)), (std::vector<uint8_t>{0xD0, 0xA2, 0x01}));
    EXPECT_EQ(attr, keyboard.KeyAttrTable());

    // Write a changed table back and read it again.
    table[3 * 7] = 0x30;
    ASSERT_EQ(channel_.BeginConfig(), kResultSuccess);
    EXPECT_TRUE(keyboard.ConfigOpen());
    ASSERT_EQ(channel_.WriteKeyTable(table.data(), 0), kResultSuccess);
    ASSERT_EQ(channel_.EndConfig(), kResultSuccess);
    EXPECT_FALSE(keyboard.ConfigOpen());
    EXPECT_EQ(keyboard.KeyTable(), table);

    std::vector<uint8_t> block(25, 0);
    block[1] = 7;
    block[22] = 3;
    ASSERT_EQ(channel_.WriteParams(block.data(), block.size(), 0), kResultSuccess);
    std::vector<uint8_t> back(25);
    ASSERT_EQ(channel_.ReadParams(back.data(), back.size(), 0), kResultSuccess);
    EXPECT_EQ(back, block);
}

TEST_F(ChannelWithEmulatorTest, MacroImageAndLightFramesReachTheDevice) {
    emulator::EmulatedDevice& mouse = Attach(EmulatedKind::Mouse, 2);
    std::vector<uint8_t> image(100);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 3);
    ASSERT_EQ(channel_.WriteMacroDataDirect(image.data(), image.size()), kResultSuccess);
    EXPECT_EQ(mouse.ShootHighWater(), 100u);
    const auto memory = mouse.ShootMemory();
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin()));

    std::vector<uint8_t> frame(18, 0x33);
    ASSERT_EQ(channel_.SendLightFrame(frame.data(), frame.size()), kResultSuccess);
    EXPECT_EQ(mouse.FrameCount(), 1u);
    uint8_t power[6] = {};
    ASSERT_EQ(channel_.ReadStatus(power, 6, 0), kResultSuccess);
    EXPECT_EQ(std::vector<uint8_t>(power, power + 6), mouse.PowerStatus());
}

TEST_F(ChannelWithEmulatorTest, FaultsGiveTheirResults) {
    emulator::EmulatedDevice& keyboard = Attach(EmulatedKind::Keyboard, 0);
    std::vector<uint8_t> table(512);

    FaultPlan stale;
    stale.staleAnswers = 1;
    keyboard.SetFaults(stale);
    EXPECT_EQ(channel_.BeginConfig(), kResultSuccess);

    for (const auto& [status, expected] : {std::pair{uint8_t{0xFF}, kResultStatusFF}, {uint8_t{0xFE}, kResultStatusFE}}) {
        FaultPlan refused;
        refused.forcedStatus = status;
        keyboard.SetFaults(refused);
        const uint64_t before = keyboard.ReportCount();
        EXPECT_EQ(channel_.ReadKeyTable(table.data()), expected);
        EXPECT_EQ(keyboard.ReportCount() - before, 1u);  // stops at the first report
    }

    // The device vanishes in the middle of a 10-report read: the command fails at once.
    FaultPlan vanish;
    vanish.vanishAfterReports = 3;
    keyboard.SetFaults(vanish);
    EXPECT_NE(channel_.ReadKeyTable(table.data()), kResultSuccess);
    EXPECT_FALSE(backend_.Exists(slots_.Slot(0).path));
    EXPECT_EQ(channel_.BeginConfig(), kResultWriteFailed);
}

TEST_F(ChannelWithEmulatorTest, SilentDeviceGivesNoAnswerAndRecovers) {
    emulator::EmulatedDevice& keyboard = Attach(EmulatedKind::Keyboard, 0);
    FaultPlan silent;
    silent.silent = true;
    keyboard.SetFaults(silent);
    EXPECT_EQ(channel_.BeginConfig(), kResultNoAnswer);
    EXPECT_EQ(keyboard.ReportCount(), 1u);
    // The device answers again once it recovers; nothing of the lost exchange is left over.
    keyboard.SetFaults({});
    EXPECT_EQ(channel_.BeginConfig(), kResultSuccess);
}

// A command sequence against each fault: only a command that gets no answer at all ends it;
// refusals and stale answers are answers, and every command of the sequence reaches the device.
TEST_F(ChannelWithEmulatorTest, ASequenceEndsAtTheFirstUnansweredCommandOnly) {
    emulator::EmulatedDevice& keyboard = Attach(EmulatedKind::Keyboard, 0);
    const std::vector<uint8_t> block(100, 7);  // two chunks
    struct Case {
        const char* name;
        FaultPlan faults;
        std::vector<int> results;  // begin, write, end
        uint64_t reports;           // that reached the device
        bool unanswered;
    } cases[] = {
        {"none", {}, {kResultSuccess, kResultSuccess, kResultSuccess}, 4, false},
        {"stale", {.staleAnswers = 2}, {kResultSuccess, kResultSuccess, kResultSuccess}, 4, false},
        {"status 0xff", {.forcedStatus = 0xFF}, {kResultStatusFF, kResultStatusFF, kResultStatusFF}, 3, false},
        {"status 0xfe", {.forcedStatus = 0xFE}, {kResultStatusFE, kResultStatusFE, kResultStatusFE}, 3, false},
        {"silent", {.silent = true}, {kResultNoAnswer, kResultNoAnswer, kResultNoAnswer}, 1, true},
    };
    for (const Case& c : cases) {
        keyboard.SetFaults(c.faults);
        const uint64_t before = keyboard.ReportCount();
        std::vector<int> results;
        {
            CommandSequence sequence(channel_);
            results.push_back(channel_.BeginConfig());
            results.push_back(channel_.WriteParams(block.data(), block.size(), 0));
            results.push_back(channel_.EndConfig());
            EXPECT_EQ(channel_.SequenceUnanswered(), c.unanswered) << c.name;
        }
        EXPECT_EQ(results, c.results) << c.name;
        EXPECT_EQ(keyboard.ReportCount() - before, c.reports) << c.name;
        EXPECT_EQ(channel_.LastCommandResult(), c.results.back()) << c.name;
    }
    // The next sequence tries again: the device is asked, and answers once it is back.
    keyboard.SetFaults({});
    CommandSequence sequence(channel_);
    EXPECT_FALSE(channel_.SequenceUnanswered());
    EXPECT_EQ(channel_.BeginConfig(), kResultSuccess);
}

TEST_F(ChannelWithEmulatorTest, CloseEndsAWaitOnASilentWirelessMouse) {
    emulator::EmulatedDevice& mouse = Attach(EmulatedKind::WirelessMouse, 7);
    channel_.SetWireless(true);
    EXPECT_TRUE(channel_.QueryLink());
    FaultPlan down;
    down.linkDown = true;
    mouse.SetFaults(down);
    EXPECT_FALSE(channel_.QueryLink());

    auto pending = std::async(std::launch::async, [&] { return channel_.BeginConfig(); });
    ASSERT_EQ(pending.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    channel_.Close();
    // Without the abort this would wait for two 5000 ms time-outs.
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(3)), std::future_status::ready);
    EXPECT_EQ(pending.get(), kResultNoAnswer);
}

TEST_F(ChannelWithEmulatorTest, KeyEventsReachTheKeyboardThroughTheEventReader) {
    emulator::EmulatedDevice& keyboard = Attach(EmulatedKind::Keyboard, 0);
    CHidChannel events(backend_);
    ASSERT_TRUE(events.Open(slots_.Slot(1).path));
    std::promise<std::pair<int, int>> got;
    DeviceEventReader reader(events, kKindKeyboard, {{}, [&](int key, int phase) { got.set_value({key, phase}); }});
    reader.Start();
    ASSERT_TRUE(keyboard.Press(42));
    auto future = got.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(future.get(), (std::pair<int, int>{42, kKeyPhasePressed}));
    reader.StopAndClose();
}

}  // namespace
}  // namespace morvek
