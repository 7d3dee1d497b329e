#include <gtest/gtest.h>

#include <numeric>

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

struct Chunk {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    bool operator==(const Chunk&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Chunk& c) {
    return os << "{cmd " << int(c.command) << " len " << int(c.length) << " off " << c.offset << "}";
}

// A device whose memory answers reads with byte (offset + i) & 0xFF and takes writes.
class HidChannelCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        device_ = backend_.Add(InterfaceInfo(kPath, 0x0C45, 0x764E, 0xFF1C, 0x92), test::VendorCollectionDescriptor());
        device_->SetResponder([this](const Bytes& w) {
            Bytes a = w;
            a.resize(64, 0);
            a[7] = statusFor_(static_cast<int>(device_->Writes().size()));
            const uint16_t offset = static_cast<uint16_t>(w[5] | (w[6] << 8));
            if (w[3] == kCmdReadKeyTable || w[3] == kCmdReadParams || w[3] == kCmdReadDeviceInfo) {
                for (size_t i = 0; i < 56; ++i) a[8 + i] = static_cast<uint8_t>(offset + i);
            }
            if (w[3] == kCmdQueryLink) a[8] = linkByte_;
            return std::vector<Bytes>{a};
        });
        ASSERT_TRUE(channel_.Open(kPath));
    }

    std::vector<Chunk> Chunks() const {
        std::vector<Chunk> chunks;
        for (const Bytes& w : device_->Writes())
            chunks.push_back({w[3], w[4], static_cast<uint16_t>(w[5] | (w[6] << 8))});
        return chunks;
    }

    static std::vector<Chunk> Expect(uint8_t command, std::initializer_list<std::pair<int, int>> lengthAndOffset) {
        std::vector<Chunk> out;
        for (auto [len, off] : lengthAndOffset)
            out.push_back({command, static_cast<uint8_t>(len), static_cast<uint16_t>(off)});
        return out;
    }

    ScriptedHidBackend backend_;
    std::shared_ptr<ScriptedHidDevice> device_;
    CHidChannel channel_{backend_};
    std::function<uint8_t(int reportNumber)> statusFor_ = [](int) { return uint8_t{0}; };
    uint8_t linkByte_ = 0xFF;
};

TEST_F(HidChannelCommandsTest, DeviceInfoTakesOneReport) {
    DeviceInfoRecord record;
    ASSERT_EQ(channel_.ReadDeviceInfo(record), kResultSuccess);
    EXPECT_EQ(Chunks(), Expect(kCmdReadDeviceInfo, {{34, 0}}));
    EXPECT_EQ(record.bytes[5], 5);
    EXPECT_EQ(record.bytes[33], 33);
}

TEST_F(HidChannelCommandsTest, KeyTableMovesTheBlockSizeInChunksOf56) {
    std::vector<uint8_t> table(512);
    ASSERT_EQ(channel_.ReadKeyTable(table.data()), kResultSuccess);
    EXPECT_EQ(Chunks(), Expect(kCmdReadKeyTable, {{56, 0}, {56, 56}, {56, 112}, {56, 168}, {56, 224}, {56, 280},
                                                  {56, 336}, {56, 392}, {56, 448}, {8, 504}}));
    for (size_t i = 0; i < table.size(); ++i) ASSERT_EQ(table[i], static_cast<uint8_t>(i)) << i;

}

TEST_F(HidChannelCommandsTest, KeyAttributeTableIsAThirdOfTheBlockSize) {
    ASSERT_TRUE(channel_.SetBlockSize(378));
    std::vector<uint8_t> attr(126);
    EXPECT_EQ(channel_.ReadKeyAttrTable(attr.data()), kResultSuccess);
    EXPECT_EQ(Chunks(), Expect(kCmdReadKeyAttrTable, {{56, 0}, {56, 56}, {14, 112}}));
}

TEST_F(HidChannelCommandsTest, ChunkTables) {
    std::vector<uint8_t> data(600, 0x5A);
    struct Case {
        const char* name;
        std::function<int()> run;
        std::vector<Chunk> expected;
    };
    const Case cases[] = {
        {"macro direct 100", [&] { return channel_.WriteMacroDataDirect(data.data(), 100); },
         Expect(kCmdWriteMacroDirect, {{56, 0}, {44, 56}})},
        {"macro 120", [&] { return channel_.WriteMacroData(data.data(), 120); },
         Expect(kCmdWriteMacroData, {{56, 0}, {56, 56}, {8, 112}})},
        {"light table index 2 stride 126", [&] { return channel_.WriteLightTable(data.data(), 60, 2, 126); },
         Expect(kCmdWriteLightTable, {{56, 252}, {4, 308}})},
        {"params 71 at 0x80", [&] { std::vector<uint8_t> b(71); return channel_.ReadParams(b.data(), 71, 0x80); },
         Expect(kCmdReadParams, {{56, 0x80}, {15, 0xB8}})},
        {"write params 66 at 0", [&] { return channel_.WriteParams(data.data(), 66, 0); },
         Expect(kCmdWriteParams, {{56, 0}, {10, 56}})},
        {"offsets keep their low 16 bits", [&] { return channel_.WriteParams(data.data(), 10, 0x1FFF0); },
         Expect(kCmdWriteParams, {{10, 0xFFF0}})},
        {"key table write", [&] { channel_.SetBlockSize(60); return channel_.WriteKeyTable(data.data(), 0); },
         Expect(kCmdWriteKeyTable, {{56, 0}, {4, 56}})},
        {"light frame 45", [&] { return channel_.SendLightFrame(data.data(), 45); },
         Expect(kCmdLightFrame, {{45, 0}})},
        {"status 6 at 0", [&] { uint8_t s[6]; return channel_.ReadStatus(s, 6, 0); },
         Expect(kCmdReadStatus, {{6, 0}})},
        {"begin", [&] { return channel_.BeginConfig(); }, Expect(kCmdBeginConfig, {{0, 0}})},
        {"end", [&] { return channel_.EndConfig(); }, Expect(kCmdEndConfig, {{0, 0}})},
        {"software light", [&] { return channel_.EnterSoftwareLight(); }, Expect(kCmdEnterSoftwareLight, {{0, 0}})},
    };
    for (const Case& c : cases) {
        const size_t before = device_->Writes().size();
        EXPECT_EQ(c.run(), kResultSuccess) << c.name;
        const auto all = Chunks();
        const std::vector<Chunk> added(all.begin() + static_cast<long>(before), all.end());
        EXPECT_EQ(added, c.expected) << c.name;
    }
    // Every request carries report id 4, a zero byte 7 and a correct checksum.
    for (const Bytes& w : device_->Writes()) {
        CommandReport r{};
        std::copy(w.begin(), w.end(), r.begin());
        EXPECT_EQ(r[0], 0x04);
        EXPECT_EQ(r[7], 0);
        EXPECT_EQ(r[1] | (r[2] << 8), ReportChecksum(r));
    }
}

TEST_F(HidChannelCommandsTest, PayloadTravelsAtItsOffsets) {
    std::vector<uint8_t> image(130);
    std::iota(image.begin(), image.end(), 0);
    ASSERT_EQ(channel_.WriteMacroData(image.data(), image.size()), kResultSuccess);
    std::vector<uint8_t> rebuilt(image.size());
    for (const Bytes& w : device_->Writes()) {
        const size_t offset = w[5] | (w[6] << 8);
        std::copy_n(w.begin() + 8, w[4], rebuilt.begin() + static_cast<long>(offset));
        EXPECT_TRUE(std::all_of(w.begin() + 8 + w[4], w.end(), [](uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(rebuilt, image);
}

TEST_F(HidChannelCommandsTest, FailingStatusStopsAMultiReportCommandAtThatReport) {
    struct Case {
        uint8_t status;
        int expected;
    };
    for (const Case c : {Case{0xFF, kResultStatusFF}, Case{0xFE, kResultStatusFE}}) {
        const size_t before = device_->Writes().size();
        statusFor_ = [&, before](int n) { return static_cast<size_t>(n) == before + 2 ? c.status : uint8_t{0}; };
        std::vector<uint8_t> table(512);
        EXPECT_EQ(channel_.ReadKeyTable(table.data()), c.expected);
        EXPECT_EQ(device_->Writes().size() - before, 2u);
    }
}

TEST_F(HidChannelCommandsTest, RefusedArgumentsSendNothing) {
    std::vector<uint8_t> data(512);
    EXPECT_EQ(channel_.WriteKeyTable(data.data(), 1), kResultBadTableIndex);
    EXPECT_EQ(channel_.WriteKeyTable(data.data(), -1), kResultBadTableIndex);
    EXPECT_EQ(channel_.ReadStatus(data.data(), 57, 0), kResultRefused);
    EXPECT_TRUE(device_->Writes().empty());
    EXPECT_EQ(channel_.ReadStatus(data.data(), 56, 0), kResultSuccess);
}

TEST_F(HidChannelCommandsTest, QueryLinkIsTrueOnlyForAnAnsweringLink) {
    EXPECT_TRUE(channel_.QueryLink());
    linkByte_ = 0x00;
    EXPECT_FALSE(channel_.QueryLink());
    linkByte_ = 0xFF;
    statusFor_ = [](int) { return uint8_t{0xFF}; };
    EXPECT_FALSE(channel_.QueryLink());
}

TEST_F(HidChannelCommandsTest, LightFramesAreSkippedOnWirelessAndDroppedWhileBusy) {
    std::vector<uint8_t> frame(378, 1);
    channel_.SetWireless(true);
    EXPECT_EQ(channel_.SendLightFrame(frame.data(), frame.size()), kResultSuccess);
    EXPECT_TRUE(device_->Writes().empty());
    channel_.SetWireless(false);

    // While a command waits for its answer, every frame chunk is dropped with a trace line.
    std::vector<std::string> lines;
    SetTraceSink([&](const std::string& l) { lines.push_back(l); });
    SetTraceEnabled(true);
    device_->SetResponder([](const Bytes&) { return std::vector<Bytes>{}; });
    device_->SetBlockingReads(true);
    int commandResult = kResultNoAnswer;
    std::thread command([&] { commandResult = channel_.BeginConfig(); });
    while (device_->WaitingReaders() == 0) std::this_thread::yield();
    EXPECT_EQ(channel_.SendLightFrame(frame.data(), frame.size()), kResultSuccess);
    Bytes answer(64, 0);
    answer[0] = 0x04;
    answer[3] = kCmdBeginConfig;
    device_->Push(answer);
    command.join();
    EXPECT_EQ(commandResult, kResultSuccess);
    SetTraceEnabled(false);
    SetTraceSink({});
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "放弃灯光数据"), 7);
    EXPECT_EQ(device_->Writes().size(), 1u);  // only the command
}

}  // namespace
}  // namespace morvek
