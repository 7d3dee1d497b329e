#include "platform/hid/HidrawDevice.h"

#include <gtest/gtest.h>
#include <sys/socket.h>

#include <chrono>
#include <future>
#include <thread>

namespace morvek::hid {
namespace {

// A datagram socket pair keeps report boundaries as a hidraw node does; the test plays
// the device on the far end.
struct DevicePair {
    std::shared_ptr<HidrawDevice> device;
    UniqueFd far;
};

DevicePair MakePair(ReportIdFilter filter, HidrawAccess access = {}) {
    int fds[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) {
        ADD_FAILURE() << "socketpair failed";
        return {};
    }
    HidInterfaceInfo info;
    info.path = "/dev/hidraw9&vid_0c45&pid_764e&mi_01&col03";
    auto device = HidrawDevice::Create(UniqueFd(fds[0]), info, {0x05, 0x0C}, std::move(filter), access);
    return {std::move(device), UniqueFd(fds[1])};
}

void Send(const UniqueFd& far, const std::vector<uint8_t>& report) {
    ASSERT_EQ(::send(far.Get(), report.data(), report.size(), 0), static_cast<ssize_t>(report.size()));
}

std::vector<uint8_t> Receive(const UniqueFd& far) {
    std::vector<uint8_t> report(256);
    const ssize_t length = ::recv(far.Get(), report.data(), report.size(), MSG_DONTWAIT);
    report.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return report;
}

// Fills the socket until a write would block.
void FillUp(HidrawDevice& device) {
    const std::vector<uint8_t> report(64, 0x04);
    while (device.Write(report, 0).ok()) {
    }
}

TEST(HidrawDeviceTest, ReadKeepsOnlyReportsOfTheOpenedCollection) {
    struct Case {
        const char* name;
        ReportIdFilter filter;
        std::vector<std::vector<uint8_t>> sent;
        IoStatus status;
        std::vector<uint8_t> report;
    };
    const Case cases[] = {
        {"skips other collections", {true, {3}}, {{4, 1, 2}, {2, 7}, {3, 0x01, 0x04}}, IoStatus::Ok, {3, 0x01, 0x04}},
        {"any owned id", {true, {1, 2}}, {{3, 9}, {2, 9}}, IoStatus::Ok, {2, 9}},
        {"bare data gets a 0 id byte", {false, {0}}, {{0x22, 0x33}}, IoStatus::Ok, {0, 0x22, 0x33}},
        {"only foreign reports", {true, {3}}, {{4, 1}, {2, 1}}, IoStatus::TimedOut, {}},
        {"nothing sent", {true, {3}}, {}, IoStatus::TimedOut, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DevicePair pair = MakePair(c.filter);
        ASSERT_TRUE(pair.device);
        for (const auto& report : c.sent) Send(pair.far, report);

        std::vector<uint8_t> buffer(64, 0xEE);
        const IoResult result = pair.device->Read(buffer, 0);
        EXPECT_EQ(result.status, c.status);
        buffer.resize(result.bytes);
        EXPECT_EQ(buffer, c.report);
    }
}

TEST(HidrawDeviceTest, ReportLongerThanTheBufferFails) {
    DevicePair pair = MakePair({true, {3}});
    Send(pair.far, {3, 1, 2, 3, 4});
    std::vector<uint8_t> buffer(4);
    EXPECT_EQ(pair.device->Read(buffer, 0).status, IoStatus::Failed);
}

TEST(HidrawDeviceTest, WriteAndOutputReportReachTheNodeWithTheirIdByte) {
    DevicePair pair = MakePair({true, {4}});
    const std::vector<uint8_t> report = {0x04, 0x10, 0x20};
    const IoResult result = pair.device->Write(report, 100);
    EXPECT_EQ(result.status, IoStatus::Ok);
    EXPECT_EQ(result.bytes, 3u);
    EXPECT_EQ(Receive(pair.far), report);

    // A node that knows no HIDIOCSOUTPUT takes the report on the interrupt pipe.
    EXPECT_TRUE(pair.device->SetOutputReport(std::vector<uint8_t>{0x05, 0xAA}));
    EXPECT_EQ(Receive(pair.far), (std::vector<uint8_t>{0x05, 0xAA}));
    EXPECT_FALSE(pair.device->SetOutputReport({}));
}

TEST(HidrawDeviceTest, AccessNotAskedForFails) {
    DevicePair readOnly = MakePair({true, {3}}, {true, false});
    EXPECT_EQ(readOnly.device->Write(std::vector<uint8_t>{3, 1}, 0).status, IoStatus::Failed);
    EXPECT_FALSE(readOnly.device->SetOutputReport(std::vector<uint8_t>{3, 1}));

    DevicePair writeOnly = MakePair({true, {3}}, {false, true});
    Send(writeOnly.far, {3, 1});
    std::vector<uint8_t> buffer(8);
    EXPECT_EQ(writeOnly.device->Read(buffer, 0).status, IoStatus::Failed);
}

TEST(HidrawDeviceTest, WriteTimesOutWhenTheNodeTakesNothing) {
    DevicePair pair = MakePair({true, {4}});
    FillUp(*pair.device);
    EXPECT_EQ(pair.device->Write(std::vector<uint8_t>(64, 4), 10).status, IoStatus::TimedOut);
}

TEST(HidrawDeviceTest, VanishedDeviceFailsTheRead) {
    DevicePair pair = MakePair({true, {3}});
    pair.far = UniqueFd();
    std::vector<uint8_t> buffer(8);
    EXPECT_EQ(pair.device->Read(buffer, -1).status, IoStatus::Failed);
}

TEST(HidrawDeviceTest, AbortEndsWaitingCallsAndEveryLaterOne) {
    DevicePair pair = MakePair({true, {3}});
    DevicePair full = MakePair({true, {4}});
    FillUp(*full.device);

    auto read = std::async(std::launch::async, [&] {
        std::vector<uint8_t> buffer(8);
        return pair.device->Read(buffer, -1).status;
    });
    auto write = std::async(std::launch::async, [&] { return full.device->Write(std::vector<uint8_t>(64, 4), -1).status; });
    // Give both a chance to be waiting; the outcome is the same if they are not yet.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pair.device->Abort();
    full.device->Abort();
    EXPECT_EQ(read.get(), IoStatus::Aborted);
    EXPECT_EQ(write.get(), IoStatus::Aborted);

    Send(pair.far, {3, 1});
    std::vector<uint8_t> buffer(8);
    EXPECT_EQ(pair.device->Read(buffer, 1000).status, IoStatus::Aborted);
    EXPECT_EQ(pair.device->Write(std::vector<uint8_t>{3, 1}, 1000).status, IoStatus::Aborted);
    EXPECT_FALSE(pair.device->SetOutputReport(std::vector<uint8_t>{3, 1}));
}

TEST(HidrawDeviceTest, KeepsInfoAndDescriptor) {
    DevicePair pair = MakePair({true, {3}});
    EXPECT_EQ(pair.device->Info().path, "/dev/hidraw9&vid_0c45&pid_764e&mi_01&col03");
    EXPECT_EQ(pair.device->ReportDescriptor(), (std::vector<uint8_t>{0x05, 0x0C}));
}

}  // namespace
}  // namespace morvek::hid
