// The keyboard's settings block: building, reading back and its transfer to the emulated keyboard.

#include <gtest/gtest.h>

#include "devices/keyboard/KeyboardSettingsBlock.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "macros/EmulatedChannel.h"

namespace morvek {
namespace {

LightSettings SampleLight() {
    LightSettings light;
    light.mode = 8;
    light.brightnessLevel = 3;
    light.speedLevel = 1;
    light.direction = 1;
    light.randomColour = 0;
    light.colour = {200, 100, 50};
    SetCustomLightGroupOf(light, 2);
    return light;
}

KeyboardSystemSettings SampleSystem() {
    KeyboardSystemSettings system;
    system.repeatRate = 30;
    system.repeatDelay = 2;
    system.key6Flag = 1;
    system.pollingRate = 3;
    system.wFlag = 1;
    system.winLock = 1;
    return system;
}

TEST(KeyboardSettingsBlockTest, BuildsTheBlockLayout) {
    const KeyboardSettingsBlock block = BuildKeyboardSettingsBlock(SampleLight(), SampleSystem(), 0);
    KeyboardSettingsBlock expected{};
    expected[1] = 8;
    expected[2] = 3;
    expected[3] = 3;  // speed level 1
    expected[4] = 1;
    expected[6] = 200;
    expected[7] = 100;
    expected[8] = 50;
    expected[19] = 1;
    expected[20] = 1;
    expected[21] = 1;
    expected[22] = 3;
    EXPECT_EQ(block, expected);
}

TEST(KeyboardSettingsBlockTest, ModeAndSpeedEncoding) {
    struct Case {
        uint8_t mode, speed;
        uint8_t modeByte, speedByte;
    };
    for (const Case c : {Case{24, 0, 24, 4}, Case{25, 4, 0, 0}, Case{30, 1, 0, 3}, Case{38, 2, 0, 2},
                         Case{0, 9, 0, 0}}) {
        LightSettings light;
        light.mode = c.mode;
        light.speedLevel = c.speed;
        const KeyboardSettingsBlock block = BuildKeyboardSettingsBlock(light, {}, 0);
        EXPECT_EQ(block[1], c.modeByte) << int(c.mode);
        EXPECT_EQ(block[3], c.speedByte) << int(c.speed);
    }
}

TEST(KeyboardSettingsBlockTest, PollingRateOutsideTheOptionsIsWrittenAsStored) {
    KeyboardSystemSettings system;
    system.pollingRate = 7;
    EXPECT_EQ(BuildKeyboardSettingsBlock({}, system, 0)[22], 7);
}

TEST(KeyboardSettingsBlockTest, ReadingTakesLightAndFlagsButKeepsHostValues) {
    KeyboardSettingsBlock block = BuildKeyboardSettingsBlock(SampleLight(), SampleSystem(), 0);
    block[22] = 0;
    LightSettings light;
    SetCustomLightGroupOf(light, 5);
    KeyboardSystemSettings system;
    system.repeatRate = 11;
    system.repeatDelay = 1;
    system.pollingRate = 2;
    EXPECT_TRUE(ApplyKeyboardSettingsBlock(block, light, system));
    EXPECT_FALSE(ApplyKeyboardSettingsBlock(block, light, system));

    LightSettings expectedLight = SampleLight();
    SetCustomLightGroupOf(expectedLight, 5);
    EXPECT_EQ(light, expectedLight);
    EXPECT_EQ(system.wFlag, 1);
    EXPECT_EQ(system.key6Flag, 1);
    EXPECT_EQ(system.winLock, 1);
    EXPECT_EQ(system.pollingRate, 2);
    EXPECT_EQ(system.repeatRate, 11);
    EXPECT_EQ(system.repeatDelay, 1);
}

TEST(KeyboardSettingsBlockTest, StraySpeedByteReadsAsSlowestLevel) {
    KeyboardSettingsBlock block{};
    block[3] = 9;
    LightSettings light;
    KeyboardSystemSettings system;
    ApplyKeyboardSettingsBlock(block, light, system);
    EXPECT_EQ(light.speedLevel, 0);
}

class KeyboardSettingsTransferTest : public ::testing::Test {
protected:
    test::EmulatedChannel emulated_{emulator::EmulatedKind::Keyboard};
    CHidChannel& channel_ = emulated_.Channel();
};

TEST_F(KeyboardSettingsTransferTest, WriteThenReadRoundTripsSpeedAndFlags) {
    LightSettings light = SampleLight();
    light.mode = 30;
    const KeyboardSettingsBlock block = BuildKeyboardSettingsBlock(light, SampleSystem(), 0);
    ASSERT_EQ(WriteKeyboardSettings(channel_, block, 0), kResultSuccess);
    EXPECT_EQ(emulated_.TakeCommands(), (std::vector<uint8_t>{kCmdWriteParams, kCmdEndConfig}));
    const std::vector<uint8_t> params = emulated_.Device().Params();
    EXPECT_TRUE(std::equal(block.begin(), block.end(), params.begin()));
    EXPECT_EQ(params[1], 0);  // mode 30 has no firmware effect

    channel_.SetSynchronised(true);
    KeyboardSettingsBlock read{};
    ASSERT_EQ(ReadKeyboardSettings(channel_, read), kResultSuccess);
    EXPECT_FALSE(channel_.IsSynchronised());
    LightSettings back;
    KeyboardSystemSettings system;
    ApplyKeyboardSettingsBlock(read, back, system);
    EXPECT_EQ(back.speedLevel, 1);
    EXPECT_EQ(back.mode, 0);
    EXPECT_EQ(system.winLock, 1);
}

TEST_F(KeyboardSettingsTransferTest, ReadsTheBlockInUse) {
    // The factory memory holds four blocks; select block 2 through byte 0.
    const uint8_t inUse = 2;
    ASSERT_EQ(channel_.WriteParams(&inUse, 1, 0), kResultSuccess);
    KeyboardSettingsBlock read{};
    ASSERT_EQ(ReadKeyboardSettings(channel_, read), kResultSuccess);
    const std::vector<uint8_t> params = emulated_.Device().Params();
    EXPECT_TRUE(std::equal(read.begin(), read.end(), params.begin() + 50));
}

TEST_F(KeyboardSettingsTransferTest, FailuresAreReportedAndLeaveTheBlock) {
    emulated_.Device().SetFaults({.forcedStatus = 0xFF});
    const KeyboardSettingsBlock block = BuildKeyboardSettingsBlock(SampleLight(), {}, 0);
    EXPECT_EQ(WriteKeyboardSettings(channel_, block, 0), kResultStatusFF);
    KeyboardSettingsBlock read{};
    read[1] = 77;
    EXPECT_EQ(ReadKeyboardSettings(channel_, read), kResultStatusFF);
    EXPECT_EQ(read[1], 77);
    EXPECT_EQ(WriteKeyboardSettings(channel_, block, -1), kResultRefused);

    channel_.Close();
    emulated_.TakeCommands();
    EXPECT_EQ(WriteKeyboardSettings(channel_, block, 0), kResultNoAnswer);
    EXPECT_EQ(ReadKeyboardSettings(channel_, read), kResultNoAnswer);
    EXPECT_TRUE(emulated_.TakeCommands().empty());
}

}  // namespace
}  // namespace morvek
