#include "devices/mouse/MouseSettingBlock.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "macros/EmulatedChannel.h"

namespace morvek {
namespace {

using Block = MouseSettingBlock;

MouseLightRecord Light(uint8_t effect, uint8_t speed) {
    return MouseLightRecord{{effect, 4, speed, 1, 1, 0x11, 0x22, 0x33}};
}

MouseSettingInputs FiveStages() {
    MouseSettingInputs in;
    for (uint16_t i = 0; i < 5; ++i) in.stages.push_back({1, 0, uint16_t(8 << i), uint16_t(8 << i), 255, 0, 0});
    in.currentStage = 2;
    in.pollingIndex = 3;
    in.light = Light(5, 1);
    in.screenWidth = 2560;
    in.screenHeight = 1440;
    return in;
}

TEST(MouseSettingBlockTest, LaysOutStagesScreenAndConstants) {
    const Block::Bytes b = Block::Build(FiveStages(), false);
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[1], 5);
    EXPECT_EQ(b[3], 1);
    EXPECT_EQ(b[11], 3);
    EXPECT_EQ(b[12], 2);
    const auto stage4 = FiveStages().stages[4].ToBytes();
    EXPECT_TRUE(std::equal(stage4.begin(), stage4.end(), b.begin() + 14 + 4 * 9));
    EXPECT_EQ(b[59], 1);
    EXPECT_EQ(b[60] | b[61] << 8, 2560);
    EXPECT_EQ(b[62] | b[63] << 8, 1440);
}

TEST(MouseSettingBlockTest, MissingStagesAreZeroRecords) {
    MouseSettingInputs in = FiveStages();
    in.stages.resize(2);
    const Block::Bytes b = Block::Build(in, false);
    EXPECT_NE(b[14 + 9], 0);
    EXPECT_TRUE(std::all_of(b.begin() + 14 + 2 * 9, b.begin() + 59, [](uint8_t v) { return v == 0; }));
}

TEST(MouseSettingBlockTest, EffectAndSpeedAsTheMouseTakesThem) {
    struct Case {
        uint8_t effect;
        uint8_t speed;
        bool wireless;
        uint8_t sentEffect;
        uint8_t sentSpeed;
    };
    const Case cases[] = {
        {8, 1, false, 8, 1},   // built-in effect, wired: speed as it is
        {9, 1, false, 0, 1},   // custom light modes go as effect 0
        {11, 2, true, 0, 2},
        {0, 1, true, 0, 3},    // wireless: 4 - speed
        {0, 0, true, 0, 4},
        {0, 7, true, 0, 0},    // levels above 4 count as 4
    };
    for (const Case& c : cases) {
        MouseSettingInputs in = FiveStages();
        in.light = Light(c.effect, c.speed);
        const Block::Bytes b = Block::Build(in, c.wireless);
        EXPECT_EQ(b[1], c.sentEffect) << int(c.effect);
        EXPECT_EQ(b[3], c.sentSpeed) << int(c.speed) << " wireless " << c.wireless;
    }
}

TEST(MouseSettingBlockTest, CorrectionPairFromTheFirstSelectedEntry) {
    MouseSettingInputs in = FiveStages();
    in.corrections = {{7, 8, 0, "Off"}, {30, 40, 1, "Low"}, {50, 60, 1, "High"}};
    Block::Bytes b = Block::Build(in, false);
    EXPECT_EQ(b[64], 40);  // CorrectMinSq
    EXPECT_EQ(b[65], 30);  // CorrectPixThresh

    in.corrections = {{7, 8, 0, "Off"}};
    b = Block::Build(in, false);
    EXPECT_EQ(b[64], 0);
    EXPECT_EQ(b[65], 0);
}

TEST(MouseSettingBlockTest, ReadBackTakesLightButNotDirection) {
    Block::ReadBytes read{};
    read[1] = 6;
    read[2] = 3;
    read[3] = 3;
    read[4] = 0;  // direction: not the mouse's to change
    read[5] = 0;
    read[6] = 9;
    read[7] = 8;
    read[8] = 7;
    read[12] = 4;
    const MouseLightRecord held = Light(0, 0);
    const MouseLightRecord wireless = Block::LightFrom(read, held, true);
    EXPECT_EQ(wireless, (MouseLightRecord{{6, 3, 1, 1, 0, 9, 8, 7}}));
    EXPECT_EQ(Block::LightFrom(read, held, false).Speed(), 3);  // a wired mouse keeps the level itself
    EXPECT_EQ(Block::CurrentStageFrom(read), 4);
}

TEST(MouseSettingBlockTest, WrittenBlockReadsBackFromTheMouse) {
    test::EmulatedChannel mouse(emulator::EmulatedKind::Mouse);
    const Block::Bytes block = Block::Build(FiveStages(), false);
    ASSERT_EQ(WriteMouseSettings(mouse.Channel(), block, 0), kResultSuccess);
    EXPECT_FALSE(mouse.Device().ConfigOpen());

    Block::ReadBytes read{};
    uint8_t active = 9;
    ASSERT_EQ(ReadMouseSettings(mouse.Channel(), read, active), kResultSuccess);
    EXPECT_EQ(active, 0);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), read.begin()));
    EXPECT_EQ(WriteMouseSettings(mouse.Channel(), block, -1), kResultRefused);
}

TEST(MouseSettingBlockTest, WirelessMouseOutOfReachGetsNothing) {
    for (int dropAt : {1, 2, 3}) {
        test::EmulatedChannel mouse(emulator::EmulatedKind::WirelessMouse);
        const std::vector<uint8_t> before = mouse.Device().Params();
        mouse.TakeCommands();
        mouse.DropLinkAtQuery(dropAt);
        EXPECT_EQ(WriteMouseSettings(mouse.Channel(), Block::Build(FiveStages(), true), 0), kResultNoAnswer);
        const std::vector<uint8_t> sent = mouse.TakeCommands();
        EXPECT_EQ(std::count(sent.begin(), sent.end(), kCmdQueryLink), dropAt) << dropAt;
        EXPECT_EQ(std::count(sent.begin(), sent.end(), kCmdWriteParams) > 0, dropAt > 2) << dropAt;
        if (dropAt < 3) {
            EXPECT_EQ(mouse.Device().Params(), before);
        }
    }
}

}  // namespace
}  // namespace morvek
