// The firmware's command set seen from a host: information record, key tables, parameter
// memory, macro memory, light table and frames, status, link query and session commands,
// each in chunks by offset; and the requests the firmware must refuse.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "EmulatorTestSupport.h"

namespace morvek::emulator::test {
namespace {

class CommandTest : public EmulatorTest {};

struct FactsCase {
    EmulatedKind kind;
    uint8_t keySlots;
    uint8_t macroUnits;
    uint8_t dpiStep;
    uint16_t maxSlider;
    uint16_t minDpi;
};

TEST_F(CommandTest, InformationRecordReadsInChunksAndMatchesTheMemorySizes) {
    const FactsCase cases[] = {
        {EmulatedKind::Keyboard, 126, 32, 0, 0, 0},   {EmulatedKind::Mouse, 16, 16, 50, 320, 100},
        {EmulatedKind::WirelessMouse, 16, 16, 50, 320, 100}, {EmulatedKind::MousePad, 0, 0, 0, 0, 0},
        {EmulatedKind::Headset, 0, 0, 0, 0, 0},
    };
    for (const FactsCase& c : cases) {
        SCOPED_TRACE(EmulatedKindName(c.kind));
        backend.Attach(c.kind);
        auto device = OpenCommands(c.kind);
        ASSERT_NE(device, nullptr);
        const std::vector<uint8_t> whole = ReadChunked(*device, 0x03, 0, 34);
        ASSERT_EQ(whole.size(), 34u);
        EXPECT_EQ(ReadChunked(*device, 0x03, 0, 34, 10), whole);
        EXPECT_EQ(whole[5], c.keySlots);
        EXPECT_EQ(whole[6], c.macroUnits);
        EXPECT_EQ(whole[11], c.dpiStep);
        EXPECT_EQ(whole[12] | (whole[13] << 8), c.maxSlider);
        EXPECT_EQ(whole[14] | (whole[15] << 8), c.minDpi);

        // The key table holds exactly 3 bytes per slot, the macro memory 128 bytes per unit.
        const uint16_t keyBytes = c.keySlots * 3;
        const uint16_t macroBytes = c.macroUnits * 128;
        if (keyBytes > 0) {
            EXPECT_EQ(ReadChunked(*device, 0x07, keyBytes - 1, 1).size(), 1u);
        }
        EXPECT_EQ((*Exchange(*device, Request(0x07, 1, keyBytes)))[7], 0xFF);
        const uint8_t one[] = {0x5A};
        if (macroBytes > 0) {
            EXPECT_TRUE(WriteChunked(*device, 0x15, macroBytes - 1, one));
        }
        EXPECT_EQ((*Exchange(*device, Request(0x15, 1, macroBytes, one)))[7], 0xFF);
    }
}

TEST_F(CommandTest, KeyboardSlotsHoldTheFactoryKeysInTheDevicesOwnOrderWithTheirLedPositions) {
    backend.Attach(EmulatedKind::Keyboard);
    auto device = OpenCommands(EmulatedKind::Keyboard);
    ASSERT_NE(device, nullptr);
    const std::vector<uint8_t> table = ReadChunked(*device, 0x07, 0, 378);
    const std::vector<uint8_t> leds = ReadChunked(*device, 0x1B, 0, 126);
    ASSERT_EQ(table.size(), 378u);
    ASSERT_EQ(leds.size(), 126u);

    using Code = std::tuple<uint8_t, uint8_t, uint8_t>;
    std::map<Code, std::vector<size_t>> slotsOf;
    for (size_t slot = 0; slot < 126; ++slot) {
        slotsOf[{table[slot * 3], table[slot * 3 + 1], table[slot * 3 + 2]}].push_back(slot);
    }
    EXPECT_EQ((slotsOf[Code{0x20, 0, 0}].size()), 4u) << "the four empty matrix places";
    EXPECT_EQ(slotsOf.size(), 123u) << "every other key is unique";
    EXPECT_EQ(Code(table[0], table[1], table[2]), Code(0xD0, 0xA2, 1)) << "slot 0 holds M1";

    // Where the host expects each key of the matrix: its LED position is its matrix index.
    const std::pair<Code, uint8_t> keys[] = {
        {{0x20, 0, 0x29}, 0},     {{0x20, 0, 0x3A}, 1},     {{0xA0, 0x1B, 0}, 16},   {{0xA0, 0x24, 0}, 17},
        {{0x20, 0, 0x35}, 21},    {{0x20, 0, 0x56}, 41},    {{0x20, 0, 0x2B}, 42},   {{0x20, 0, 0x61}, 61},
        {{0x20, 0, 0x39}, 63},    {{0x20, 0, 0x04}, 64},    {{0x20, 0, 0x88}, 83},   {{0x20, 0x02, 0}, 84},
        {{0x20, 0x20, 0}, 95},    {{0x20, 0, 0x85}, 103},   {{0xD0, 0xA2, 6}, 104},  {{0x20, 0x01, 0}, 105},
        {{0x20, 0, 0x2C}, 108},   {{0xA0, 0x01, 0}, 110},   {{0x20, 0, 0x58}, 118},  {{0xD0, 0xA2, 1}, 120},
        {{0xD0, 0xA2, 5}, 124},   {{0x20, 0x80, 0}, 125},
    };
    size_t inMatrixOrder = 0;
    for (const auto& [code, matrixIndex] : keys) {
        ASSERT_EQ(slotsOf[code].size(), 1u);
        const size_t slot = slotsOf[code].front();
        EXPECT_EQ(leds[slot], matrixIndex) << "key at matrix index " << int{matrixIndex};
        inMatrixOrder += slot == matrixIndex ? 1 : 0;
    }
    EXPECT_LT(inMatrixOrder, std::size(keys)) << "the slot order is the device's own";
    EXPECT_EQ(std::set<uint8_t>(leds.begin(), leds.end()).size(), 126u) << "one LED per slot";
}

TEST_F(CommandTest, MouseSlotsHoldTheTenButtonCodesOnce) {
    using Code = std::tuple<uint8_t, uint8_t, uint8_t>;
    const Code buttons[] = {{0x10, 0x01, 0}, {0x10, 0x02, 0}, {0x10, 0x04, 0}, {0x10, 0x10, 0}, {0x10, 0x08, 0},
                            {0x13, 0x01, 0}, {0x13, 0x02, 0}, {0x13, 0x03, 0}, {0xA0, 0x1B, 0}, {0x16, 0x90, 0x01}};
    for (EmulatedKind kind : {EmulatedKind::Mouse, EmulatedKind::WirelessMouse}) {
        SCOPED_TRACE(EmulatedKindName(kind));
        backend.Attach(kind);
        auto device = OpenCommands(kind);
        ASSERT_NE(device, nullptr);
        const std::vector<uint8_t> table = ReadChunked(*device, 0x07, 0, 48);
        ASSERT_EQ(table.size(), 48u);
        size_t inLogicalOrder = 0;
        for (size_t button = 0; button < std::size(buttons); ++button) {
            std::vector<size_t> slots;
            for (size_t slot = 0; slot < 16; ++slot) {
                if (Code(table[slot * 3], table[slot * 3 + 1], table[slot * 3 + 2]) == buttons[button]) {
                    slots.push_back(slot);
                }
            }
            ASSERT_EQ(slots.size(), 1u) << "button " << button;
            inLogicalOrder += slots.front() == button ? 1 : 0;
        }
        EXPECT_LT(inLogicalOrder, std::size(buttons));
        EXPECT_EQ(ReadChunked(*device, 0x1B, 0, 16), std::vector<uint8_t>(16, 0xFF)) << "no LED under the buttons";
    }
}

struct RoundTripCase {
    EmulatedKind kind;
    uint8_t write;
    uint8_t read;
    uint16_t offset;
    size_t length;
    size_t readChunk;
    size_t memorySize;
};

TEST_F(CommandTest, WritesReadBackWhateverTheChunking) {
    const RoundTripCase cases[] = {
        {EmulatedKind::Keyboard, 0x06, 0x05, 0, 25, 7, 512},      // keyboard settings block 0
        {EmulatedKind::Mouse, 0x06, 0x05, 0x80, 71, 24, 512},      // mouse block of profile 1
        {EmulatedKind::MousePad, 0x06, 0x05, 64, 21, 56, 256},     // pad settings block 1
        {EmulatedKind::Headset, 0x06, 0x05, 0, 21, 5, 256},        // headset light head
        {EmulatedKind::Keyboard, 0x09, 0x07, 0, 378, 56, 378},     // whole key table
        {EmulatedKind::WirelessMouse, 0x09, 0x07, 3, 42, 9, 48},   // mouse key table but its first and last slot
    };
    for (const RoundTripCase& c : cases) {
        SCOPED_TRACE(testing::Message() << EmulatedKindName(c.kind) << " command " << int{c.write});
        EmulatorBackend local;
        local.Attach(c.kind);
        std::vector<hid::HidInterfaceInfo> entries;
        local.Enumerate(entries);
        const auto entry = std::find_if(entries.begin(), entries.end(), [](const auto& e) {
            return e.outputReportLength == 64;
        });
        ASSERT_NE(entry, entries.end());
        auto device = local.Open(entry->path, {});
        ASSERT_NE(device, nullptr);
        const std::vector<uint8_t> before = ReadChunked(*device, c.read, 0, c.memorySize);
        ASSERT_EQ(before.size(), c.memorySize);

        const std::vector<uint8_t> data = Bytes(c.length, 0x31, 7);
        ASSERT_TRUE(WriteChunked(*device, c.write, c.offset, data));
        EXPECT_EQ(ReadChunked(*device, c.read, c.offset, c.length, c.readChunk), data);
        std::vector<uint8_t> expected = before;
        std::copy(data.begin(), data.end(), expected.begin() + c.offset);
        EXPECT_EQ(ReadChunked(*device, c.read, 0, c.memorySize), expected)
            << "nothing outside the written span changes";
    }
}

TEST_F(CommandTest, AnswersEchoTheRequestAndCarryTheirChecksum) {
    backend.Attach(EmulatedKind::Mouse);
    auto device = OpenCommands(EmulatedKind::Mouse);
    ASSERT_NE(device, nullptr);
    const auto answer = Exchange(*device, Request(0x05, 15, 0xB8));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ((*answer)[0], 0x04);
    EXPECT_EQ((*answer)[3], 0x05);
    EXPECT_EQ((*answer)[4], 15);
    EXPECT_EQ((*answer)[5], 0xB8);
    EXPECT_EQ((*answer)[6], 0x00);
    EXPECT_EQ((*answer)[7], 0x00);
    EXPECT_EQ((*answer)[1] | ((*answer)[2] << 8), SumOfBytes3To63(*answer));
}

TEST_F(CommandTest, MacroAndShootMemoriesTrackTheHighestByteWrittenEachByItsCommand) {
    EmulatedDevice& mouse = backend.Attach(EmulatedKind::Mouse);
    auto device = OpenCommands(EmulatedKind::Mouse);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(mouse.MacroHighWater(), 0u);
    EXPECT_EQ(mouse.ShootHighWater(), 0u);

    const std::vector<uint8_t> shoot = Bytes(100, 0xAA);
    ASSERT_TRUE(WriteChunked(*device, 0x17, 0, shoot));  // 56 + 44 bytes
    EXPECT_EQ(mouse.ShootHighWater(), 100u);
    EXPECT_EQ(mouse.MacroHighWater(), 0u);
    const std::vector<uint8_t> macro = Bytes(34, 0x10);
    ASSERT_TRUE(WriteChunked(*device, 0x15, 0, macro));
    EXPECT_EQ(mouse.MacroHighWater(), 34u);
    ASSERT_TRUE(WriteChunked(*device, 0x15, 0, Bytes(10, 0x20)));
    EXPECT_EQ(mouse.MacroHighWater(), 34u) << "a shorter image does not lower the mark";

    const std::vector<uint8_t> shootMemory = mouse.ShootMemory();
    ASSERT_EQ(shootMemory.size(), 4096u);
    EXPECT_TRUE(std::equal(shoot.begin(), shoot.end(), shootMemory.begin()));
    EXPECT_TRUE(std::all_of(shootMemory.begin() + 100, shootMemory.end(), [](uint8_t b) { return b == 0; }));
    const std::vector<uint8_t> macroMemory = mouse.MacroMemory();
    ASSERT_EQ(macroMemory.size(), 2048u);
    EXPECT_TRUE(std::all_of(macroMemory.begin() + 34, macroMemory.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(CommandTest, LightTableAndFramesLandAtTheirOffsetsAndFramesAreCounted) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    EmulatedDevice& pad = backend.Attach(EmulatedKind::MousePad);
    auto keys = OpenCommands(EmulatedKind::Keyboard);
    auto mat = OpenCommands(EmulatedKind::MousePad);
    ASSERT_NE(keys, nullptr);
    ASSERT_NE(mat, nullptr);

    const std::vector<uint8_t> colours = Bytes(378, 1);
    ASSERT_TRUE(WriteChunked(*keys, 0x0B, 0, colours));
    EXPECT_EQ(keyboard.LightTable(), colours);

    const std::vector<uint8_t> frame = Bytes(45, 200, 3);
    ASSERT_TRUE(WriteChunked(*mat, 0x12, 0, frame));
    ASSERT_TRUE(WriteChunked(*mat, 0x12, 0, std::vector<uint8_t>(3, 0x77)));
    std::vector<uint8_t> expected = frame;
    std::fill_n(expected.begin(), 3, 0x77);
    EXPECT_EQ(pad.LastFrame(), expected);
    EXPECT_EQ(pad.FrameCount(), 2u);
    EXPECT_EQ(keyboard.FrameCount(), 0u);
}

TEST_F(CommandTest, SessionAndSoftwareLightCommandsChangeTheFirmwareState) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    auto device = OpenCommands(EmulatedKind::Keyboard);
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(keyboard.ConfigOpen());
    ASSERT_EQ((*Exchange(*device, Request(0x01, 0, 0)))[7], 0x00);
    EXPECT_TRUE(keyboard.ConfigOpen());
    ASSERT_EQ((*Exchange(*device, Request(0x02, 0, 0)))[7], 0x00);
    EXPECT_FALSE(keyboard.ConfigOpen());
    EXPECT_FALSE(keyboard.SoftwareLight());
    ASSERT_EQ((*Exchange(*device, Request(0x1C, 0, 0)))[7], 0x00);
    EXPECT_TRUE(keyboard.SoftwareLight());
}

TEST_F(CommandTest, LinkQueryAndPowerStatus) {
    EmulatedDevice& wireless = backend.Attach(EmulatedKind::WirelessMouse);
    EmulatedDevice& pad = backend.Attach(EmulatedKind::MousePad);
    backend.Attach(EmulatedKind::Keyboard);
    for (EmulatedKind kind : {EmulatedKind::WirelessMouse, EmulatedKind::Keyboard}) {
        auto device = OpenCommands(kind);
        ASSERT_NE(device, nullptr);
        const auto link = Exchange(*device, Request(0xAA, 0, 0));
        ASSERT_TRUE(link.has_value());
        EXPECT_EQ((*link)[8], 0xFF) << EmulatedKindName(kind);
    }

    auto mouse = OpenCommands(EmulatedKind::WirelessMouse);
    std::vector<uint8_t> status = ReadChunked(*mouse, 0x1A, 0, 6);
    ASSERT_EQ(status.size(), 6u);
    EXPECT_EQ(status[1], 0) << "the wireless mouse runs on its battery";
    wireless.SetPowerStatus(57, 1);
    status = ReadChunked(*mouse, 0x1A, 0, 6);
    EXPECT_EQ(status[0], 57);
    EXPECT_EQ(status[1], 1);

    auto mat = OpenCommands(EmulatedKind::MousePad);
    EXPECT_EQ(ReadChunked(*mat, 0x1A, 0, 6)[5], 0) << "no phone on the pad";
    pad.SetPowerStatus(100, 2, 2);
    EXPECT_EQ(ReadChunked(*mat, 0x1A, 0, 6)[5], 2);
}

TEST_F(CommandTest, BadRequestsAreRefusedWithoutTouchingAnyMemory) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    auto device = OpenCommands(EmulatedKind::Keyboard);
    ASSERT_NE(device, nullptr);
    const std::vector<uint8_t> payload(56, 0xEE);

    Report badChecksum = Request(0x06, 4, 0, payload);
    badChecksum[1] ^= 0x01;
    Report tooLong = Request(0x06, 56, 0, payload);
    tooLong[4] = 57;
    const uint16_t sum = SumOfBytes3To63(tooLong);
    tooLong[1] = static_cast<uint8_t>(sum & 0xFF);
    tooLong[2] = static_cast<uint8_t>(sum >> 8);

    const std::pair<const char*, Report> cases[] = {
        {"bad checksum", badChecksum},
        {"length above 56", tooLong},
        {"unknown command", Request(0x44, 4, 0, payload)},
        {"params past the end", Request(0x06, 3, 510, payload)},
        {"params offset past the end", Request(0x06, 1, 0xFFFF, payload)},
        {"key table index 1", Request(0x09, 3, 512, payload)},
        {"key table past the end", Request(0x09, 6, 375, payload)},
        {"macro past the end", Request(0x15, 7, 4090, payload)},
        {"light table past the end", Request(0x0B, 1, 378, payload)},
        {"frame past the end", Request(0x12, 4, 375, payload)},
        {"key attributes past the end", Request(0x1B, 7, 120)},
        {"status past the end", Request(0x1A, 3, 4)},
        {"information past the end", Request(0x03, 2, 33)},
    };
    const FirmwareMemory before = keyboard.Memory();
    const uint64_t reportsBefore = keyboard.ReportCount();
    for (const auto& [name, request] : cases) {
        SCOPED_TRACE(name);
        const auto answer = Exchange(*device, request);
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ((*answer)[3], request[3]);
        EXPECT_EQ((*answer)[7], 0xFF);
        EXPECT_TRUE(std::all_of(answer->begin() + 8, answer->end(), [](uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(keyboard.Memory(), before);
    EXPECT_EQ(keyboard.ReportCount(), reportsBefore + std::size(cases)) << "refused reports are counted";
    EXPECT_EQ(keyboard.MacroHighWater(), 0u);
}

TEST_F(CommandTest, DevicesWithoutAMemoryRefuseItsCommands) {
    backend.Attach(EmulatedKind::Headset);
    auto device = OpenCommands(EmulatedKind::Headset);
    ASSERT_NE(device, nullptr);
    const uint8_t data[] = {1, 2, 3};
    for (uint8_t command : {0x07, 0x09, 0x1B, 0x15, 0x0B, 0x12}) {
        const auto answer = Exchange(*device, Request(command, 3, 0, data));
        ASSERT_TRUE(answer.has_value());
        EXPECT_EQ((*answer)[7], 0xFF) << "command " << int{command};
    }
}

}  // namespace
}  // namespace morvek::emulator::test
