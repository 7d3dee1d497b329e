// The faults a host must survive: stale answers, a silent device, refusing status codes,
// a device that vanishes mid-transfer, a wireless mouse out of reach, and slow reports.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "EmulatorTestSupport.h"

namespace morvek::emulator::test {
namespace {

using namespace std::chrono_literals;

constexpr int kShortTimeoutMs = 30;
constexpr auto kLiveness = 5s;  // generous bound that turns a hang into a failure

class FaultTest : public EmulatorTest {
protected:
    void SetUp() override {
        keyboard = &backend.Attach(EmulatedKind::Keyboard);
        commands = OpenCommands(EmulatedKind::Keyboard);
        ASSERT_NE(commands, nullptr);
    }

    void SetFaults(const FaultPlan& plan) { keyboard->SetFaults(plan); }

    EmulatedDevice* keyboard = nullptr;
    std::shared_ptr<hid::IHidDevice> commands;
};

TEST_F(FaultTest, StaleAnswersComeFirstForTheNextCommandsOnly) {
    SetFaults({.staleAnswers = 2});
    for (int command = 0; command < 3; ++command) {
        SCOPED_TRACE(command);
        ASSERT_TRUE(commands->Write(Request(0x05, 1, 0), kAnswerTimeoutMs).ok());
        Report answer{};
        ASSERT_TRUE(commands->Read(answer, kAnswerTimeoutMs).ok());
        if (command < 2) {
            EXPECT_NE(answer[3], 0x05) << "a stale answer for another command";
            ASSERT_TRUE(commands->Read(answer, kAnswerTimeoutMs).ok());
        }
        EXPECT_EQ(answer[3], 0x05);
        EXPECT_EQ(answer[7], 0x00);
        EXPECT_EQ(commands->Read(answer, 0).status, hid::IoStatus::TimedOut) << "one right answer only";
    }
    EXPECT_EQ(keyboard->Faults().staleAnswers, 0);
}

TEST_F(FaultTest, SilentDeviceTakesReportsButNeitherActsNorAnswers) {
    SetFaults({.silent = true});
    const FirmwareMemory before = keyboard->Memory();
    const uint8_t data[] = {9, 9, 9};
    ASSERT_TRUE(commands->Write(Request(0x06, 3, 0, data), kAnswerTimeoutMs).ok());
    Report answer{};
    EXPECT_EQ(commands->Read(answer, kShortTimeoutMs).status, hid::IoStatus::TimedOut);
    EXPECT_EQ(keyboard->Memory(), before);
    EXPECT_EQ(keyboard->ReportCount(), 1u);

    SetFaults({});
    EXPECT_TRUE(WriteChunked(*commands, 0x06, 0, data)) << "it recovers once the fault is lifted";
}

TEST_F(FaultTest, ForcedStatusRefusesEveryCommandWithThatStatus) {
    for (uint8_t status : {uint8_t{0xFF}, uint8_t{0xFE}}) {
        SCOPED_TRACE(int{status});
        SetFaults({.forcedStatus = status});
        const FirmwareMemory before = keyboard->Memory();
        const uint8_t data[] = {1, 2};
        for (const Report& request : {Request(0x06, 2, 0, data), Request(0x01, 0, 0), Request(0x03, 34, 0)}) {
            const auto answer = Exchange(*commands, request);
            ASSERT_TRUE(answer.has_value());
            EXPECT_EQ((*answer)[3], request[3]);
            EXPECT_EQ((*answer)[7], status);
        }
        EXPECT_EQ(keyboard->Memory(), before);
        EXPECT_FALSE(keyboard->ConfigOpen());
    }
}

TEST_F(FaultTest, VanishingAfterNReportsFailsEveryHandleAndKeepsTheStoredMemories) {
    auto events = OpenCollection(EmulatedKind::Keyboard, kConsumerPage);
    ASSERT_NE(events, nullptr);
    auto waitingReader = std::async(std::launch::async, [&] {
        std::array<uint8_t, 8> buffer{};
        return events->Read(buffer, -1).status;
    });
    const std::string path = Entry(EmulatedKind::Keyboard, kVendorPage)->path;

    SetFaults({.vanishAfterReports = 3});
    const std::vector<uint8_t> data = Bytes(3, 0x61);
    ASSERT_TRUE(WriteChunked(*commands, 0x06, 0, std::span(data).first(2), 1));
    ASSERT_TRUE(commands->Write(Request(0x06, 1, 2, std::span(data).subspan(2)), kAnswerTimeoutMs).ok());
    Report answer{};
    EXPECT_EQ(commands->Read(answer, kAnswerTimeoutMs).status, hid::IoStatus::Failed);
    ASSERT_EQ(waitingReader.wait_for(kLiveness), std::future_status::ready);
    EXPECT_EQ(waitingReader.get(), hid::IoStatus::Failed);

    EXPECT_FALSE(keyboard->Present());
    EXPECT_FALSE(backend.Exists(path));
    std::vector<hid::HidInterfaceInfo> entries;
    ASSERT_TRUE(backend.Enumerate(entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(backend.Open(path, {}), nullptr);
    EXPECT_EQ(commands->Write(Request(0x05, 1, 0), kAnswerTimeoutMs).status, hid::IoStatus::Failed);
    EXPECT_FALSE(keyboard->SendEvent(0x0401));

    EXPECT_EQ(&backend.Attach(EmulatedKind::Keyboard), keyboard) << "plugging it back in";
    auto again = backend.Open(path, {});
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ReadChunked(*again, 0x05, 0, 3), data) << "the last report was executed before it vanished";
    EXPECT_EQ(commands->Write(Request(0x05, 1, 0), kAnswerTimeoutMs).status, hid::IoStatus::Failed)
        << "handles of the lost connection stay dead";
}

TEST_F(FaultTest, VanishingAfterZeroReportsUnplugsAtOnce) {
    SetFaults({.vanishAfterReports = 0});
    EXPECT_FALSE(keyboard->Present());
    EXPECT_EQ(commands->Write(Request(0x05, 1, 0), kAnswerTimeoutMs).status, hid::IoStatus::Failed);
    EXPECT_EQ(keyboard->Faults().vanishAfterReports, -1);
}

TEST_F(FaultTest, LinkDownLeavesOnlyTheReceiverAnsweringTheLinkQuery) {
    EmulatedDevice& wireless = backend.Attach(EmulatedKind::WirelessMouse);
    EmulatedDevice& wired = backend.Attach(EmulatedKind::Mouse);
    wireless.SetFaults({.linkDown = true});
    wired.SetFaults({.linkDown = true});

    auto receiver = OpenCommands(EmulatedKind::WirelessMouse);
    ASSERT_NE(receiver, nullptr);
    const auto link = Exchange(*receiver, Request(0xAA, 0, 0));
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ((*link)[3], 0xAA);
    EXPECT_EQ((*link)[8], 0x00) << "no mouse behind the receiver";
    const FirmwareMemory before = wireless.Memory();
    const uint8_t data[] = {7};
    ASSERT_TRUE(receiver->Write(Request(0x06, 1, 0, data), kAnswerTimeoutMs).ok());
    Report answer{};
    EXPECT_EQ(receiver->Read(answer, kShortTimeoutMs).status, hid::IoStatus::TimedOut);
    EXPECT_EQ(wireless.Memory(), before);
    EXPECT_TRUE(wireless.Present());

    auto cable = OpenCommands(EmulatedKind::Mouse);
    ASSERT_NE(cable, nullptr);
    EXPECT_EQ((*Exchange(*cable, Request(0xAA, 0, 0)))[8], 0xFF) << "a wired mouse has no radio link to lose";
    EXPECT_TRUE(WriteChunked(*cable, 0x06, 0, data));
}

TEST_F(FaultTest, LatencyLongerThanTheWriteTimeoutTimesOutWithoutDelivering) {
    SetFaults({.latencyMs = 200});
    EXPECT_EQ(commands->Write(Request(0x01, 0, 0), 5).status, hid::IoStatus::TimedOut);
    EXPECT_EQ(keyboard->ReportCount(), 0u);
    EXPECT_FALSE(keyboard->ConfigOpen());

    SetFaults({.latencyMs = 2});
    const auto answer = Exchange(*commands, Request(0x01, 0, 0));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ((*answer)[3], 0x01);
    EXPECT_TRUE(keyboard->ConfigOpen());
}

TEST_F(FaultTest, AbortEndsAWriteWaitingOnItsLatencyAndDropsTheReport) {
    SetFaults({.latencyMs = 60'000});
    auto writer = std::async(std::launch::async, [&] { return commands->Write(Request(0x01, 0, 0), -1).status; });
    std::this_thread::sleep_for(20ms);  // let the write start waiting; an earlier abort fails it the same way
    commands->Abort();
    ASSERT_EQ(writer.wait_for(kLiveness), std::future_status::ready);
    EXPECT_EQ(writer.get(), hid::IoStatus::Aborted);
    EXPECT_EQ(keyboard->ReportCount(), 0u);
}

TEST_F(FaultTest, BackendLatencyReachesDevicesAttachedBeforeAndAfter) {
    backend.SetLatency(7);
    EXPECT_EQ(keyboard->Faults().latencyMs, 7);
    EXPECT_EQ(backend.Attach(EmulatedKind::Headset).Faults().latencyMs, 7);
}

}  // namespace
}  // namespace morvek::emulator::test
