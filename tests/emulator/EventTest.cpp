// Event reports on the consumer interface, and how waiting reads end: by a report, by
// Abort, or by the device being detached; also reads and writes from several threads at once.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "EmulatorTestSupport.h"

namespace morvek::emulator::test {
namespace {

using namespace std::chrono_literals;

constexpr auto kLiveness = 5s;

class EventTest : public EmulatorTest {
protected:
    void SetUp() override {
        keyboard = &backend.Attach(EmulatedKind::Keyboard);
        events = OpenCollection(EmulatedKind::Keyboard, kConsumerPage);
        commands = OpenCommands(EmulatedKind::Keyboard);
        ASSERT_NE(events, nullptr);
        ASSERT_NE(commands, nullptr);
    }

    std::future<std::vector<uint8_t>> ReadInBackground(std::shared_ptr<hid::IHidDevice> device) {
        return std::async(std::launch::async, [device] {
            std::array<uint8_t, 64> buffer{};
            const hid::IoResult read = device->Read(buffer, -1);
            return read.ok() ? std::vector<uint8_t>(buffer.begin(), buffer.begin() + read.bytes)
                             : std::vector<uint8_t>{};
        });
    }

    std::future<hid::IoStatus> WaitInBackground(std::shared_ptr<hid::IHidDevice> device) {
        return std::async(std::launch::async, [device] {
            std::array<uint8_t, 64> buffer{};
            return device->Read(buffer, -1).status;
        });
    }

    EmulatedDevice* keyboard = nullptr;
    std::shared_ptr<hid::IHidDevice> events;
    std::shared_ptr<hid::IHidDevice> commands;
};

TEST_F(EventTest, KeyAndDeviceEventsReachAWaitingReaderInOrder) {
    auto first = ReadInBackground(events);
    std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(keyboard->Press(5));
    ASSERT_EQ(first.wait_for(kLiveness), std::future_status::ready);
    EXPECT_EQ(first.get(), (std::vector<uint8_t>{0x03, 0x05, 0x02}));

    ASSERT_TRUE(keyboard->Release(125));
    ASSERT_TRUE(keyboard->SendEvent(0x0401));
    ASSERT_TRUE(keyboard->SendEvent(0x0404));
    const std::vector<std::vector<uint8_t>> expected = {{0x03, 0x7D, 0x03}, {0x03, 0x01, 0x04}, {0x03, 0x04, 0x04}};
    for (const auto& want : expected) {
        std::array<uint8_t, 64> buffer{};
        const hid::IoResult read = events->Read(buffer, 1000);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + read.bytes), want);
    }
    std::array<uint8_t, 64> buffer{};
    EXPECT_EQ(commands->Read(buffer, 0).status, hid::IoStatus::TimedOut) << "events stay on their collection";
}

TEST_F(EventTest, EventsOutsideTheirCodeRangeAreRefused) {
    EXPECT_FALSE(keyboard->Press(-1));
    EXPECT_FALSE(keyboard->Press(256));
    EXPECT_FALSE(keyboard->Release(256));
    EXPECT_FALSE(keyboard->SendEvent(0x0500));
    EXPECT_TRUE(keyboard->Press(255));
    std::array<uint8_t, 64> buffer{};
    ASSERT_TRUE(events->Read(buffer, 1000).ok());
    EXPECT_EQ(buffer[1] | (buffer[2] << 8), 0x02FF);
    EXPECT_EQ(events->Read(buffer, 0).status, hid::IoStatus::TimedOut);
}

TEST_F(EventTest, AbortEndsAWaitingReadAtOnceAndLaterCallsFailAtOnce) {
    auto waiting = WaitInBackground(events);
    std::this_thread::sleep_for(10ms);
    events->Abort();
    ASSERT_EQ(waiting.wait_for(kLiveness), std::future_status::ready);
    EXPECT_EQ(waiting.get(), hid::IoStatus::Aborted);

    keyboard->Press(1);
    std::array<uint8_t, 64> buffer{};
    EXPECT_EQ(events->Read(buffer, -1).status, hid::IoStatus::Aborted);
    commands->Abort();
    EXPECT_EQ(commands->Write(Request(0x01, 0, 0), -1).status, hid::IoStatus::Aborted);
    EXPECT_FALSE(commands->SetOutputReport(Request(0x01, 0, 0)));
    EXPECT_EQ(keyboard->ReportCount(), 0u);

    auto fresh = OpenCollection(EmulatedKind::Keyboard, kConsumerPage);
    ASSERT_NE(fresh, nullptr);
    keyboard->Press(2);
    EXPECT_TRUE(fresh->Read(buffer, 1000).ok()) << "other handles are not affected";
}

TEST_F(EventTest, DetachEndsWaitingReadsAndFailsLaterCalls) {
    auto waiting = WaitInBackground(events);
    std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(backend.Detach(EmulatedKind::Keyboard));
    ASSERT_EQ(waiting.wait_for(kLiveness), std::future_status::ready);
    EXPECT_EQ(waiting.get(), hid::IoStatus::Failed);
    EXPECT_EQ(commands->Write(Request(0x01, 0, 0), 1000).status, hid::IoStatus::Failed);
    std::array<uint8_t, 64> buffer{};
    EXPECT_EQ(events->Read(buffer, 1000).status, hid::IoStatus::Failed);
}

TEST_F(EventTest, ReportsAreOnlyReadableOnHandlesOpenedForReading) {
    const std::string path = Entry(EmulatedKind::Keyboard, kVendorPage)->path;
    auto writeOnly = backend.Open(path, {.read = false, .write = true});
    auto readOnly = backend.Open(path, {.read = true, .write = false});
    ASSERT_NE(writeOnly, nullptr);
    ASSERT_NE(readOnly, nullptr);
    EXPECT_EQ(readOnly->Write(Request(0x01, 0, 0), 1000).status, hid::IoStatus::Failed);
    ASSERT_TRUE(writeOnly->Write(Request(0x01, 0, 0), 1000).ok());
    std::array<uint8_t, 64> buffer{};
    EXPECT_EQ(writeOnly->Read(buffer, 0).status, hid::IoStatus::Failed);
    ASSERT_TRUE(readOnly->Read(buffer, 1000).ok()) << "the answer reaches every reader of the collection";
    EXPECT_EQ(buffer[3], 0x01);
}

TEST_F(EventTest, OutputReportsOfTheWrongIdOrSizeAreNotWritten) {
    Report wrongId = Request(0x01, 0, 0);
    wrongId[0] = 0x05;
    EXPECT_EQ(commands->Write(wrongId, 1000).status, hid::IoStatus::Failed);
    std::vector<uint8_t> tooLong(65, 0);
    tooLong[0] = 0x04;
    EXPECT_EQ(commands->Write(tooLong, 1000).status, hid::IoStatus::Failed);
    EXPECT_EQ(events->Write(Request(0x01, 0, 0), 1000).status, hid::IoStatus::Failed) << "no output reports there";
    EXPECT_EQ(keyboard->ReportCount(), 0u);

    const Report begin = Request(0x01, 0, 0);
    ASSERT_TRUE(commands->Write(std::span(begin).first(8), 1000).ok()) << "a short report is padded with zeros";
    EXPECT_TRUE(keyboard->ConfigOpen());
}

TEST_F(EventTest, CommandsFromSeveralThreadsWhileAReaderWaitsForEvents) {
    constexpr int kWriters = 4;
    constexpr int kWritesEach = 40;
    constexpr int kEvents = 20;
    auto reader = std::async(std::launch::async, [&] {
        int received = 0;
        std::array<uint8_t, 64> buffer{};
        while (received < kEvents && events->Read(buffer, -1).ok()) {
            ++received;
        }
        return received;
    });
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            auto own = OpenCommands(EmulatedKind::Keyboard);
            for (int i = 0; i < kWritesEach; ++i) {
                const uint8_t value[] = {static_cast<uint8_t>(w * kWritesEach + i)};
                own->Write(Request(0x06, 1, static_cast<uint16_t>(w * kWritesEach + i), value), 1000);
            }
        });
    }
    for (int e = 0; e < kEvents; ++e) {
        keyboard->Press(e);
    }
    for (auto& writer : writers) {
        writer.join();
    }
    ASSERT_EQ(reader.wait_for(kLiveness), std::future_status::ready);
    EXPECT_EQ(reader.get(), kEvents);
    EXPECT_EQ(keyboard->ReportCount(), uint64_t{kWriters * kWritesEach});
    const std::vector<uint8_t> params = keyboard->Params();
    for (int i = 0; i < kWriters * kWritesEach; ++i) {
        EXPECT_EQ(params[i], i);
    }
}

}  // namespace
}  // namespace morvek::emulator::test
