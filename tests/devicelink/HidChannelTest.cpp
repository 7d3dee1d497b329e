#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "devicelink/HidChannel.h"
#include "devicelink/HidCommandReport.h"
#include "platform/Trace.h"
#include "support/ScriptedHid.h"

namespace morvek {
namespace {

using test::Bytes;
using test::InterfaceInfo;
using test::ScriptedHidBackend;
using test::ScriptedHidDevice;

constexpr const char* kPath = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";

Bytes Answer(uint8_t command, uint8_t status = 0, Bytes payload = {}) {
    Bytes a(64, 0);
    a[0] = 0x04;
    a[3] = command;
    a[7] = status;
    std::copy(payload.begin(), payload.end(), a.begin() + 8);
    return a;
}

class HidChannelTest : public ::testing::Test {
protected:
    void SetUp() override {
        device_ = backend_.Add(InterfaceInfo(kPath, 0x0C45, 0x764E, 0xFF1C, 0x92), test::VendorCollectionDescriptor());
        ASSERT_TRUE(channel_.Open(kPath));
    }

    ScriptedHidBackend backend_;
    std::shared_ptr<ScriptedHidDevice> device_;
    CHidChannel channel_{backend_};
};

TEST_F(HidChannelTest, RequestIsZeroPaddedOrCutTo64Bytes) {
    struct Case {
        size_t length;
        size_t expectedNonZero;
    };
    for (const Case c : {Case{10, 10}, Case{64, 64}, Case{100, 64}}) {
        Bytes request(c.length, 0xAB);
        request[3] = 0x05;
        Bytes answer(64);
        EXPECT_EQ(channel_.Transfer(request.data(), request.size(), answer.data(), answer.size()), kResultSuccess);
        const Bytes written = device_->Writes().back();
        ASSERT_EQ(written.size(), 64u) << c.length;
        EXPECT_EQ(static_cast<size_t>(std::count(written.begin(), written.end(), 0xAB)), c.expectedNonZero - 1);
        EXPECT_TRUE(std::all_of(written.begin() + static_cast<long>(c.expectedNonZero), written.end(),
                                [](uint8_t b) { return b == 0; }));
    }
}

TEST_F(HidChannelTest, SilentDeviceCostsOneWriteAndTwoReadTimeouts) {
    for (bool wireless : {false, true}) {
        device_->SetResponder([](const Bytes&) { return std::vector<Bytes>{}; });
        channel_.SetWireless(wireless);
        const size_t writesBefore = device_->WriteTimeouts().size();
        const size_t readsBefore = device_->ReadTimeouts().size();
        EXPECT_EQ(channel_.BeginConfig(), kResultNoAnswer);
        const auto writes = device_->WriteTimeouts();
        const auto reads = device_->ReadTimeouts();
        const int expected = wireless ? 5000 : 1000;
        EXPECT_EQ(writes.size() - writesBefore, 1u);
        ASSERT_EQ(reads.size() - readsBefore, 2u);
        EXPECT_EQ(writes.back(), expected);
        EXPECT_EQ(reads[reads.size() - 1], expected);
        EXPECT_EQ(reads[reads.size() - 2], expected);
    }
}

TEST_F(HidChannelTest, StaleAnswerIsSkippedOnceOnly) {
    // One stale answer before the right one: success.
    device_->SetResponder([](const Bytes& w) { return std::vector<Bytes>{Answer(0x07), Answer(w[3], 0, {0x42})}; });
    uint8_t status[6] = {};
    EXPECT_EQ(channel_.ReadStatus(status, 6, 0), kResultSuccess);
    EXPECT_EQ(status[0], 0x42);
    // Two stale answers: the second is used as it is; its status decides.
    device_->SetResponder([](const Bytes&) { return std::vector<Bytes>{Answer(0x07), Answer(0x09, 0xFE)}; });
    EXPECT_EQ(channel_.ReadStatus(status, 6, 0), kResultStatusFE);
}

TEST_F(HidChannelTest, UnwrittenRequestGivesMinusOne) {
    device_->SetFailWrites(true);
    EXPECT_EQ(channel_.BeginConfig(), kResultWriteFailed);
    EXPECT_TRUE(device_->ReadTimeouts().empty());
}

TEST_F(HidChannelTest, ClosedChannelAnswersZeroWithoutTouchingTheDevice) {
    channel_.Close();
    EXPECT_FALSE(channel_.IsOpen());
    uint8_t buffer[512] = {};
    DeviceInfoRecord record;
    EXPECT_EQ(channel_.BeginConfig(), kResultNoAnswer);
    EXPECT_EQ(channel_.ReadDeviceInfo(record), kResultNoAnswer);
    EXPECT_EQ(channel_.WriteParams(buffer, 66, 0), kResultNoAnswer);
    EXPECT_EQ(channel_.SendLightFrame(buffer, 45), kResultNoAnswer);
    EXPECT_EQ(channel_.Transfer(buffer, 64, buffer, 64), kResultNoAnswer);
    EXPECT_FALSE(channel_.QueryLink());
    EXPECT_TRUE(device_->Writes().empty());
    EXPECT_FALSE(channel_.IsBusy());
}

TEST_F(HidChannelTest, ShortAndGarbageAnswersAreHandled) {
    // A 3-byte answer: the rest of the answer reads as zeros, status 0 means success.
    device_->SetResponder([](const Bytes& w) { return std::vector<Bytes>{Bytes{0x04, 0, 0}, Bytes{0x04, 0, 0, w[3]}}; });
    uint8_t status[6] = {1, 1, 1, 1, 1, 1};
    EXPECT_EQ(channel_.ReadStatus(status, 6, 0), kResultSuccess);
    EXPECT_EQ(status[0], 0);
    device_->SetResponder([](const Bytes&) { return std::vector<Bytes>{Bytes{}, Bytes(300, 0xFF)}; });
    EXPECT_EQ(channel_.ReadStatus(status, 6, 0), kResultStatusFF);
}

TEST_F(HidChannelTest, BlockSizeAbove512IsRefused) {
    EXPECT_EQ(channel_.BlockSize(), 512);
    EXPECT_TRUE(channel_.SetBlockSize(378));
    EXPECT_FALSE(channel_.SetBlockSize(513));
    EXPECT_EQ(channel_.BlockSize(), 378);
    EXPECT_TRUE(channel_.SetBlockSize(512));
}

TEST_F(HidChannelTest, TraceShowsEveryReportAndAnswerInTheHouseFormat) {
    std::vector<std::string> lines;
    SetTraceSink([&](const std::string& l) { lines.push_back(l); });
    SetTraceEnabled(true);
    EXPECT_EQ(channel_.BeginConfig(), kResultSuccess);
    SetTraceEnabled(false);
    SetTraceSink({});
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1],
              "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  "
              "00 00 00 00");
    EXPECT_EQ(lines[3], "返回");
    EXPECT_EQ(lines[4], lines[1]);
}

TEST_F(HidChannelTest, CloseEndsAWaitingReadAtOnce) {
    device_->SetBlockingReads(true);
    device_->SetResponder([](const Bytes&) { return std::vector<Bytes>{}; });
    auto result = std::async(std::launch::async, [&] { return channel_.BeginConfig(); });
    while (device_->WaitingReaders() == 0) std::this_thread::yield();
    EXPECT_TRUE(channel_.IsBusy());
    channel_.Close();
    ASSERT_EQ(result.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(result.get(), kResultNoAnswer);
    EXPECT_FALSE(channel_.IsBusy());
}

TEST_F(HidChannelTest, ChannelCanBeReopenedAfterClose) {
    channel_.Close();
    ASSERT_TRUE(channel_.Open(kPath));
    EXPECT_EQ(channel_.BeginConfig(), kResultSuccess);
    EXPECT_FALSE(channel_.Open("/dev/hidraw99&vid_0c45&pid_764e&mi_01&col04"));
    EXPECT_FALSE(channel_.IsOpen());
}

}  // namespace
}  // namespace morvek
