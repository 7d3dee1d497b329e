#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "devicelink/DeviceEventReader.h"
#include "devicelink/DeviceTables.h"
#include "support/ScriptedHid.h"

namespace morvek {
namespace {

using test::Bytes;

struct Recorded {
    std::vector<int> syncDelays;
    std::vector<std::pair<int, int>> keys;
    DeviceEventHandlers Handlers() {
        return {[this](int delay) { syncDelays.push_back(delay); },
                [this](int key, int phase) { keys.emplace_back(key, phase); }};
    }
};

TEST(DeviceEventDispatchTest, EventTable) {
    struct Case {
        uint16_t code;
        uint16_t kind;
        std::vector<int> syncDelays;
        std::vector<std::pair<int, int>> keys;
    };
    const Case cases[] = {
        {0x0205, kKindKeyboard, {}, {{5, kKeyPhasePressed}}},
        {0x0205, kKindMouse, {}, {}},
        {0x0305, kKindKeyboard, {}, {{5, kKeyPhaseReleased}}},
        {0x03FF, kKindKeyboard, {}, {{255, kKeyPhaseReleased}}},
        {0x0300, kKindMousePad, {}, {}},
        {0x0401, kKindKeyboard, {100}, {}},
        {0x0401, kKindMouse, {500}, {}},
        {0x0401, kKindHeadset, {500}, {}},
        {0x0001, kKindKeyboard, {}, {}},
        {0xFFFF, kKindKeyboard, {}, {}},
    };
    for (const Case& c : cases) {
        Recorded r;
        std::atomic<uint32_t> counter{0};
        DispatchDeviceEvent(c.code, c.kind, r.Handlers(), counter);
        EXPECT_EQ(r.syncDelays, c.syncDelays) << std::hex << c.code;
        EXPECT_EQ(r.keys, c.keys) << std::hex << c.code;
        EXPECT_EQ(counter.load(), 0u);
    }
}

TEST(DeviceEventDispatchTest, NoticeAdvancesACounterCyclingZeroToThree) {
    Recorded r;
    std::atomic<uint32_t> counter{0};
    std::vector<uint32_t> seen;
    for (int i = 0; i < 5; ++i) {
        DispatchDeviceEvent(kEventNotice, kKindKeyboard, r.Handlers(), counter);
        seen.push_back(counter.load());
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 2, 3, 0, 1}));
    EXPECT_TRUE(r.syncDelays.empty());
}

class DeviceEventReaderTest : public ::testing::Test {
protected:
    static constexpr const char* kPath = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col03";

    void SetUp() override {
        device_ = backend_.Add(test::InterfaceInfo(kPath, 0x0C45, 0x764E, 0x0C, 0x01),
                               test::ConsumerCollectionDescriptor());
        ASSERT_TRUE(channel_.Open(kPath));
    }

    static Bytes EventReport(uint16_t code) {
        return {0x03, static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8)};
    }

    test::ScriptedHidBackend backend_;
    std::shared_ptr<test::ScriptedHidDevice> device_;
    CHidChannel channel_{backend_};
};

TEST_F(DeviceEventReaderTest, ReadsEventsUntilStoppedAndSurvivesGarbage) {
    std::promise<void> done;
    std::vector<std::pair<int, int>> keys;
    int syncs = 0;
    DeviceEventHandlers handlers{[&](int) { ++syncs; },
                                 [&](int key, int phase) {
                                     keys.emplace_back(key, phase);
                                     if (phase == kKeyPhaseReleased) done.set_value();
                                 }};
    DeviceEventReader reader(channel_, kKindKeyboard, handlers);
    reader.Start();
    device_->Push(Bytes{});                           // empty report
    device_->Push(Bytes{0x07, 0x01, 0x02});           // a report id the collection does not own
    device_->Push(Bytes{0x03});                       // too short for its field
    device_->Push(Bytes(200, 0xEE));                  // garbage
    device_->Push(EventReport(0x0401));
    device_->Push(EventReport(0x0210));
    device_->Push(EventReport(0x0310));
    ASSERT_EQ(done.get_future().wait_for(std::chrono::seconds(5)), std::future_status::ready);
    reader.StopAndClose();
    EXPECT_FALSE(reader.IsRunning());
    EXPECT_FALSE(channel_.IsOpen());
    EXPECT_EQ(syncs, 1);
    EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{{0x10, kKeyPhasePressed}, {0x10, kKeyPhaseReleased}}));
}

TEST_F(DeviceEventReaderTest, StopEndsAReadWaitingWithoutTimeout) {
    DeviceEventReader reader(channel_, kKindMouse, {});
    reader.Start();
    while (device_->WaitingReaders() == 0) std::this_thread::yield();
    auto stopped = std::async(std::launch::async, [&] { reader.StopAndClose(); });
    EXPECT_EQ(stopped.wait_for(std::chrono::seconds(5)), std::future_status::ready);
}

}  // namespace
}  // namespace morvek
