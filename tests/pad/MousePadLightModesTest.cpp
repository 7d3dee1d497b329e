// The mouse pad's mode table: which step runs and how often.

#include <gtest/gtest.h>

#include "devices/pad/MousePadLightModes.h"

namespace morvek {
namespace {

class MousePadLightModesTest : public ::testing::Test {
protected:
    MousePadLightModesTest() {
        engine_.SetLightCount(15);
        engine_.Settings().brightnessLevel = 4;
        engine_.Settings().colour = {1, 2, 3};
        for (int i = 0; i < 15; ++i) engine_.SetLedColour(i, LedEntry{{9, 9, 9}, 9}.Packed());
    }

    LightEngine engine_{[] { return 0u; }};
    MousePadWaveSteps waves_;
};

TEST_F(MousePadLightModesTest, ModesOutsideTheListPlayTheEffectSequence) {
    for (uint8_t mode : {5, 9, 12, 255}) {
        EXPECT_EQ(MousePadStepOfMode(mode), MousePadLightStep::EffectSequence);
        EXPECT_FALSE(RunMousePadStep(mode, engine_, waves_));
    }
    EXPECT_EQ(engine_.Leds()[0], (LedEntry{{9, 9, 9}, 9}));
}

TEST_F(MousePadLightModesTest, EachListedModeRunsItsStep) {
    ASSERT_TRUE(RunMousePadStep(3, engine_, waves_));
    EXPECT_EQ(engine_.Leds()[14], (LedEntry{{1, 2, 3}, 255}));
    ASSERT_TRUE(RunMousePadStep(8, engine_, waves_));
    EXPECT_EQ(engine_.Leds()[14], LedEntry{});
    engine_.Settings().direction = 1;
    ASSERT_TRUE(RunMousePadStep(1, engine_, waves_));
    EXPECT_EQ(engine_.Phase(), 1);
    for (uint8_t mode : {0, 2, 4, 6, 7}) EXPECT_TRUE(RunMousePadStep(mode, engine_, waves_)) << int(mode);
}

TEST_F(MousePadLightModesTest, StepIntervalFollowsTheSpeedLevel) {
    EXPECT_EQ(MousePadStepInterval(4), 7);
    EXPECT_EQ(MousePadStepInterval(0), 28);
}

}  // namespace
}  // namespace morvek
