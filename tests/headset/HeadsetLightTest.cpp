// The headset's lights: the light head in its parameter memory, the frame as output reports,
// its own wave and the light thread.

#include <gtest/gtest.h>

#include "devicelink/LightTables.h"
#include "devices/headset/HeadsetLightFrame.h"
#include "devices/headset/HeadsetLightSteps.h"
#include "devices/pad/MousePadLight.h"
#include "devices/pad/MousePadLightModes.h"
#include "HeadsetFixture.h"

namespace morvek::test {
namespace {

class HeadsetLightTest : public HeadsetFixture {};

TEST_F(HeadsetLightTest, TheLightHeadGoesToProfileTimes64AndReadsBack) {
    auto model = MakeModel();
    LightSettings light;
    light.mode = 6;
    light.brightnessLevel = 3;
    light.speedLevel = 1;
    light.direction = 1;
    light.randomColour = 0;
    light.colour = {10, 20, 30};
    ASSERT_EQ(model->ChangeLight(light), LightChange::kDone);
    ASSERT_EQ(model->WriteSettings(1, 0, 0, 1, 1), kResultSuccess);
    const std::vector<uint8_t> params = headset_->Params();
    EXPECT_EQ(std::vector<uint8_t>(params.begin() + 65, params.begin() + 73),
              (std::vector<uint8_t>{6, 3, 3, 1, 0, 10, 20, 30}))
        << "speed level 1 is sent as 3";
    EXPECT_FALSE(headset_->ConfigOpen());

    // The headset says profile 1 is active: the head comes from 64, where it was written.
    auto memory = headset_->Memory();
    memory.params[0] = 1;
    ASSERT_TRUE(headset_->RestoreMemory(memory));
    int active = -1;
    ASSERT_EQ(model->ReadLightHead(active), kResultSuccess);
    EXPECT_EQ(active, 1);
    const HeadsetLightHead head = model->LightHead();
    EXPECT_EQ(head.ActiveProfile(), 1);
    EXPECT_EQ(head.Held()[3], 1) << "the speed byte is a level again";
    EXPECT_EQ(head.Held()[1], 6);
}

TEST_F(HeadsetLightTest, AClosedChannelSendsNothingAndReadsNothing) {
    auto model = MakeModel();
    model->CommandChannel().Close();
    const uint64_t reports = headset_->ReportCount();
    EXPECT_EQ(model->WriteSettings(0, 0, 0, 1, 1), kResultNoAnswer);
    int active = -1;
    EXPECT_EQ(model->ReadLightHead(active), kResultNoAnswer);
    EXPECT_EQ(active, -1);
    EXPECT_EQ(headset_->ReportCount(), reports);
    EXPECT_EQ(model->LightPass(), kClosedChannelWait);
}

TEST(HeadsetFrameReports, PlanesGoToTheTargetsAndRegistersCappedAt247) {
    std::vector<LedEntry> leds(13);
    for (size_t i = 0; i < leds.size(); ++i) leds[i] = {{uint8_t(i * 10), uint8_t(100 + i), 255}, 128};
    leds[12] = {{255, 255, 255}, 255};
    const HeadsetFrameReports reports = BuildHeadsetFrameReports(leds);
    const uint8_t registers[12] = {0xAA, 0xAD, 0xAA, 0xAD, 0xAB, 0xAE, 0xAB, 0xAE, 0xAC, 0xAF, 0xAC, 0xAF};
    for (size_t r = 0; r < reports.size(); ++r) {
        EXPECT_EQ(reports[r][0], 0xFF);
        EXPECT_EQ(reports[r][1], r % 4 < 2 ? 0x22 : 0x44) << r;
        EXPECT_EQ(reports[r][2], registers[r]) << r;
        EXPECT_EQ(reports[r][3], 0);
        EXPECT_TRUE(std::all_of(reports[r].begin() + 11, reports[r].end(), [](uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(reports[0][4 + 3], 30 * 128 / 256);          // plane c0, LED 3
    EXPECT_EQ(reports[5][4 + 1], (100 + 8) * 128 / 256);   // plane c1, LED 8
    EXPECT_EQ(reports[9][4 + 5], 247) << "255 x 255 / 256 is capped";
    EXPECT_EQ(reports[1][10], reports[0][10]) << "byte 10 keeps the report before";
    EXPECT_EQ(reports[11][10], reports[10][10]);
}

TEST_F(HeadsetLightTest, FramesGoOutAsTwelveOutputReportsWhileTheHostControlsTheLights) {
    auto model = MakeModel();
    model->SetLedColour(0, LedEntry{{200, 0, 0}, 255}.Packed());
    model->SendLedFrame();
    const auto reports = headset_->OutputReports();
    ASSERT_EQ(reports.size(), 12u);
    EXPECT_EQ(reports[0][4], 199);
    const uint64_t sent = headset_->OutputReportCount();
    model->SetHostLightControl(false);
    model->SendLedFrame();
    EXPECT_EQ(headset_->OutputReportCount(), sent);
}

TEST(HeadsetWave, RandomColourIsTheWheel16Apart) {
    LightEngine engine;
    engine.SetLightCount(13);
    engine.Settings().randomColour = 1;
    engine.Settings().direction = 1;
    engine.Settings().brightnessLevel = 4;
    StepHeadsetWave(engine);
    EXPECT_EQ(engine.Phase(), 1);
    for (size_t i : {size_t(0), size_t(5), size_t(12)}) {
        EXPECT_EQ(engine.Leds()[i].colour, ColourWheel()[(1 + 1 + 16 * i) % 192]) << i;
        EXPECT_EQ(engine.Leds()[i].brightness, 255);
    }
}

TEST(HeadsetWave, OneColourMovesThreePlacesUnderTheCurve) {
    LightEngine engine;
    engine.SetLightCount(13);
    engine.Settings().colour = {1, 2, 3};
    engine.Settings().brightnessLevel = 4;
    engine.Settings().direction = 0;
    StepHeadsetWave(engine);
    EXPECT_EQ(engine.Phase(), 93) << "from 0 downwards in steps of 3";
    for (size_t i : {size_t(0), size_t(7)}) {
        EXPECT_EQ(engine.Leds()[i].colour, (LedColour{1, 2, 3}));
        EXPECT_EQ(engine.Leds()[i].brightness, 255 * WaveCurve96()[(93 + 10 * i) % 96] / 256) << i;
    }
}

TEST(HeadsetWave, ThePairedWaveLeavesLedsPastTheHeadsetAlone) {
    LightEngine engine;
    engine.SetLightCount(13);
    engine.Settings().brightnessLevel = 4;
    engine.Settings().colour = {9, 9, 9};
    MousePadWaveSteps waves;
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(RunMousePadStep(7, engine, waves));
    EXPECT_EQ(engine.Leds().size(), 13u);
    EXPECT_EQ(engine.Leds()[0], LedEntry{}) << "LED 0 is not painted by the paired wave";
    EXPECT_NE(engine.Leds()[7].brightness + engine.Leds()[12].brightness, 0) << "the wave runs over the 13 LEDs";
}

TEST(HeadsetLight, ModeZeroRunsTheHeadsetsWaveAtTheSpeedInterval) {
    LightEngine engine;
    engine.SetLightCount(13);
    engine.Settings().randomColour = 1;
    engine.Settings().direction = 1;
    engine.Settings().brightnessLevel = 4;
    engine.Settings().speedLevel = 4;
    MousePadLight light(engine, &StepHeadsetWave);
    for (int pass = 1; pass < SpeedFactor(4); ++pass) light.RunPass(0);
    EXPECT_EQ(engine.Leds()[1], LedEntry{}) << "no step before the interval";
    light.RunPass(0);
    EXPECT_EQ(engine.Leds()[1].colour, ColourWheel()[1 + 1 + 16]) << "the headset's spacing, not the pad's";
}

TEST_F(HeadsetLightTest, TheLightThreadRunsFromTheConfigurationReadAndStopsWithTheModel) {
    auto model = MakeModel();
    model->ReadDeviceConfig();
    EXPECT_TRUE(model->LightThreadRunning());
    model.reset();  // the destructor stops the thread; a hang here fails the test by time-out
}

}  // namespace
}  // namespace morvek::test
