// The mouse pad's settings block: what the model keeps, what is written and read back.

#include <gtest/gtest.h>

#include "devices/pad/MousePadSettingsBlock.h"
#include "macros/EmulatedChannel.h"

namespace morvek {
namespace {

LightSettings PadLight(uint8_t mode, uint8_t speed, uint8_t direction) {
    LightSettings light;
    light.mode = mode;
    light.brightnessLevel = 2;
    light.speedLevel = speed;
    light.direction = direction;
    light.randomColour = 1;
    light.colour = {7, 8, 9};
    return light;
}

TEST(MousePadSettingsBlockTest, EncodingConvertsSpeedAndHostOnlyModes) {
    MousePadSettingsBlock block;
    block.CopyLightSettings(PadLight(4, 1, 1));
    const MousePadSettingsBlock::Bytes expected = {0, 4, 2, 3, 0, 1, 7, 8, 9};
    EXPECT_EQ(block.Encoded(), expected);
    EXPECT_EQ(block.Held()[3], 1);  // the model keeps the level

    block.CopyLightSettings(PadLight(12, 4, 0));
    EXPECT_EQ(block.Encoded()[1], 0);
    EXPECT_EQ(block.Encoded()[3], 0);
    block.CopyLightSettings(PadLight(8, 0, 0));
    EXPECT_EQ(block.Encoded()[1], 8);
    EXPECT_EQ(block.Encoded()[3], 4);
}

TEST(MousePadSettingsBlockTest, DirectionAndPadBytesStayAsRead) {
    MousePadSettingsBlock block;
    MousePadSettingsBlock::Bytes read{};
    read[3] = 1;   // speed byte
    read[4] = 1;   // direction
    read[15] = 0x5A;
    block.TakeRead(read, 2);
    EXPECT_EQ(block.BlockInUse(), 2);
    EXPECT_EQ(block.Held()[3], 3);

    block.CopyLightSettings(PadLight(2, 0, 0));  // the panel chose the other direction
    EXPECT_EQ(block.Direction(), 1);
    EXPECT_EQ(block.Encoded()[4], 1);
    EXPECT_EQ(block.Encoded()[15], 0x5A);
    EXPECT_EQ(block.Encoded()[0], 2);
}

class MousePadSettingsTransferTest : public ::testing::Test {
protected:
    test::EmulatedChannel emulated_{emulator::EmulatedKind::MousePad};
    CHidChannel& channel_ = emulated_.Channel();
};

TEST_F(MousePadSettingsTransferTest, WriteThenReadKeepsTheSpeedLevel) {
    MousePadSettingsBlock block;
    block.CopyLightSettings(PadLight(3, 1, 0));
    ASSERT_EQ(WriteMousePadSettings(channel_, block, 0), kResultSuccess);
    EXPECT_EQ(emulated_.TakeCommands(), (std::vector<uint8_t>{kCmdBeginConfig, kCmdWriteParams, kCmdEndConfig}));
    EXPECT_EQ(emulated_.Device().Params()[3], 3);

    MousePadSettingsBlock back;
    channel_.SetSynchronised(true);
    ASSERT_EQ(ReadMousePadSettings(channel_, back), kResultSuccess);
    EXPECT_FALSE(channel_.IsSynchronised());
    EXPECT_EQ(back.Held(), block.Held());
}

TEST_F(MousePadSettingsTransferTest, BlocksLieAtSixtyFourByteSteps) {
    MousePadSettingsBlock block;
    block.CopyLightSettings(PadLight(1, 2, 0));
    ASSERT_EQ(WriteMousePadSettings(channel_, block, 2), kResultSuccess);
    const std::vector<uint8_t> params = emulated_.Device().Params();
    const auto encoded = block.Encoded();
    EXPECT_TRUE(std::equal(encoded.begin() + 1, encoded.end(), params.begin() + 129));

    // With block 2 in use, reading takes that block, not bytes at 2 x 25.
    const uint8_t inUse = 2;
    ASSERT_EQ(channel_.WriteParams(&inUse, 1, 0), kResultSuccess);
    MousePadSettingsBlock back;
    ASSERT_EQ(ReadMousePadSettings(channel_, back), kResultSuccess);
    EXPECT_EQ(back.BlockInUse(), 2);
    EXPECT_EQ(back.Held()[1], 1);
    EXPECT_EQ(back.Held()[3], 2);
}

TEST_F(MousePadSettingsTransferTest, FailuresAreReportedAndLeaveTheBlock) {
    MousePadSettingsBlock block;
    block.CopyLightSettings(PadLight(2, 2, 0));
    emulated_.Device().SetFaults({.forcedStatus = 0xFF});
    EXPECT_EQ(WriteMousePadSettings(channel_, block, 0), kResultStatusFF);
    EXPECT_EQ(emulated_.TakeCommands(), (std::vector<uint8_t>{kCmdBeginConfig, kCmdEndConfig}));
    MousePadSettingsBlock back;
    EXPECT_EQ(ReadMousePadSettings(channel_, back), kResultStatusFF);
    EXPECT_EQ(back.Held(), MousePadSettingsBlock::Bytes{});
    EXPECT_EQ(WriteMousePadSettings(channel_, block, -1), kResultRefused);

    channel_.Close();
    emulated_.TakeCommands();
    EXPECT_EQ(WriteMousePadSettings(channel_, block, 0), kResultNoAnswer);
    EXPECT_EQ(ReadMousePadSettings(channel_, back), kResultNoAnswer);
    EXPECT_TRUE(emulated_.TakeCommands().empty());
}

}  // namespace
}  // namespace morvek
