#include "devices/mouse/MouseLightSteps.h"

#include <gtest/gtest.h>

#include "devicelink/LightTables.h"
#include "devices/mouse/MouseLightRecord.h"
#include "devices/mouse/MouseLogoTooltip.h"

namespace morvek {
namespace {

TEST(MouseLightStepsTest, EffectsSelectTheirSteps) {
    EXPECT_EQ(MouseStepOfEffect(0), MouseLightStep::Wave);
    EXPECT_EQ(MouseStepOfEffect(5), MouseLightStep::GroupFlow);
    EXPECT_EQ(MouseStepOfEffect(8), MouseLightStep::Clear);
    EXPECT_EQ(MouseStepOfEffect(9), MouseLightStep::CustomMode);
    EXPECT_EQ(MouseStepOfEffect(255), MouseLightStep::CustomMode);
    EXPECT_EQ(MouseStepInterval(0, 0), 28);
    EXPECT_EQ(MouseStepInterval(8, 4), 7);
    EXPECT_EQ(MouseStepInterval(11, 0), 1);

    const MouseLightRecord custom{{11, 4, 2, 0, 1, 0, 0, 0}};
    EXPECT_EQ(custom.CustomMode(), 2);
    LightEngine engine;
    engine.SetLightCount(19);
    MouseGroupFlow flow;
    EXPECT_FALSE(RunMouseStep(custom.Effect(), engine, flow));  // played by the effect-sequence player
    EXPECT_TRUE(RunMouseStep(3, engine, flow));
}

TEST(MouseLightStepsTest, GroupFlowLightsGroupAfterGroup) {
    LightEngine engine;
    engine.SetLightCount(19);
    engine.Settings() = MouseLightRecord{{5, 4, 2, 1, 0, 10, 20, 30}}.ToLightSettings();
    MouseGroupFlow flow;
    flow.Step(engine);
    // The first group lights at full level in the configured colour; the others stay dark.
    EXPECT_EQ(engine.Leds()[0], (LedEntry{{10, 20, 30}, 255}));
    EXPECT_EQ(engine.Leds()[18], (LedEntry{{10, 20, 30}, 255}));
    EXPECT_EQ(engine.Leds()[1].brightness, 0);
    flow.Step(engine);
    EXPECT_EQ(engine.Leds()[1].brightness, 255);
    EXPECT_EQ(engine.Leds()[17].brightness, 255);
    EXPECT_LT(engine.Leds()[0].brightness, 255);  // group 0 fades behind the wave
    EXPECT_GT(engine.Leds()[0].brightness, 0);
}

TEST(MouseLightStepsTest, GroupFlowColourCycleSpacesGroupsOnTheWheel) {
    LightEngine engine;
    engine.SetLightCount(19);
    engine.Settings() = MouseLightRecord{{5, 4, 2, 1, 1, 0, 0, 0}}.ToLightSettings();
    MouseGroupFlow flow;
    for (int i = 0; i < 3; ++i) flow.Step(engine);
    const uint8_t base = static_cast<uint8_t>(engine.ColourIndex() - 1);
    EXPECT_EQ(engine.Leds()[2].colour, ColourWheel()[(base + 2 * 12) % kColourWheelCycle]);
    EXPECT_EQ(engine.Leds()[16].colour, engine.Leds()[2].colour);
}

TEST(MouseLogoTooltipTest, NamesTheCurrentEffect) {
    const std::vector<LightEffectName> builtIn = {{"light_wave", true}, {"light_spectrum", true}};
    const std::vector<std::string> custom = {"Mine", "Party", "Night"};
    const MouseLogoTooltip tip = LogoTooltipFor(11, builtIn, custom);
    EXPECT_EQ(tip.title, "Logo");
    ASSERT_EQ(tip.parts.size(), 4u);
    EXPECT_EQ(tip.parts[0], (KeyLabelPart{"Light_Set", true}));
    EXPECT_EQ(tip.parts[1], (KeyLabelPart{"\n", false}));
    EXPECT_EQ(tip.parts[2], (KeyLabelPart{"Overall_Light_Set", true}));
    EXPECT_EQ(tip.parts[3], (KeyLabelPart{"Night", false}));
    EXPECT_EQ(LogoTooltipFor(1, builtIn, custom).parts[3], (KeyLabelPart{"light_spectrum", true}));
    EXPECT_EQ(LogoTooltipFor(5, builtIn, custom).parts.size(), 3u);   // the list lacks it
    EXPECT_EQ(LogoTooltipFor(12, builtIn, custom).parts.size(), 3u);
}

}  // namespace
}  // namespace morvek
