// The pad's light passes: the step every 28 to 7 passes by speed level, the effect sequence for
// the modes without a step, the thread's sleep until the next pass that changes anything (at
// least 10 passes, caught up when it wakes), and nothing counted while the gate is closed.

#include "devices/pad/MousePadLight.h"

#include <gtest/gtest.h>

namespace morvek {
namespace {

using std::chrono::milliseconds;

// The thread sleeps until the pass that changes something, but never less than the minimum.
milliseconds Sleep(uint32_t passes) { return milliseconds(std::max(passes, MousePadLight::kMinWaitPasses)); }

constexpr LedEntry kDark{};

class MousePadLightTest : public ::testing::Test {
protected:
    MousePadLightTest() {
        engine_.SetLightCount(15);
        engine_.Settings().brightnessLevel = 4;
        engine_.Settings().colour = {200, 100, 50};
    }

    bool AllAre(const LedEntry& wanted) const {
        for (const LedEntry& led : engine_.Leds())
            if (led != wanted) return false;
        return true;
    }

    LightEngine engine_{[] { return uint32_t{0}; }};
    MousePadLight light_{engine_};
};

TEST_F(MousePadLightTest, AStepRunsWhenThePassesOfItsSpeedLevelWentBy) {
    const LedEntry lit{{200, 100, 50}, 255};
    struct Case {
        uint8_t speed;
        uint32_t passes;
    };
    for (const Case c : {Case{0, 28}, Case{2, 18}, Case{4, 7}}) {
        SCOPED_TRACE(int(c.speed));
        engine_.ClearLeds();
        engine_.Settings().mode = 3;  // static
        engine_.Settings().speedLevel = c.speed;
        MousePadLight light(engine_);
        const uint32_t start = 5000;
        EXPECT_EQ(light.Pass(start), Sleep(c.passes));
        EXPECT_EQ(light.Pass(start + c.passes - 1), Sleep(1));
        EXPECT_TRUE(AllAre(kDark));
        EXPECT_EQ(light.Pass(start + c.passes), Sleep(c.passes));
        EXPECT_TRUE(AllAre(lit));

        // A thread that sleeps past the step runs the passes it missed when it wakes.
        engine_.ClearLeds();
        MousePadLight late(engine_);
        late.Pass(start);
        late.Pass(start + c.passes + 3);
        EXPECT_TRUE(AllAre(lit));
        EXPECT_EQ(late.PassCount(), 3u);
    }
}

TEST_F(MousePadLightTest, ModesWithoutAStepPlayTheEffectSequenceEveryPass) {
    engine_.Settings().mode = 3;
    engine_.StepStatic();
    ASSERT_FALSE(AllAre(kDark));
    uint32_t now = 100;
    light_.Pass(now);
    for (uint8_t mode : {5, 12}) {
        SCOPED_TRACE(int(mode));
        engine_.StepStatic();
        engine_.Settings().mode = mode;
        // An empty sequence turns the pad dark on the next pass; the thread wakes after the
        // minimum and runs the passes that went by.
        EXPECT_EQ(light_.Pass(++now), Sleep(1));
        EXPECT_TRUE(AllAre(kDark));
    }

    LightEffectStep step;
    step.mode = 1;  // static
    step.brightness = 4;
    step.red = 9;
    step.green = 8;
    step.blue = 7;
    step.time = 1000;
    light_.SetEffectSequence({step});
    light_.Pass(++now);
    EXPECT_EQ(engine_.Leds()[0].colour, (LedColour{9, 8, 7}));
}

TEST_F(MousePadLightTest, NothingIsCountedWhileTheGateIsClosed) {
    engine_.Settings().mode = 3;
    engine_.Settings().speedLevel = 4;
    light_.Pass(0);
    EXPECT_EQ(light_.Pass(3), Sleep(4));
    EXPECT_EQ(light_.PassCount(), 3u);

    EXPECT_EQ(light_.Pass(4, LightGate::Synchronised), kSynchronisedWait);
    EXPECT_EQ(light_.Pass(5000, LightGate::ChannelClosed), kClosedChannelWait);
    EXPECT_TRUE(AllAre(kDark));
    // Open again: the time spent closed is not caught up.
    light_.Pass(6000);
    EXPECT_EQ(light_.PassCount(), 3u);
    EXPECT_TRUE(AllAre(kDark));
    light_.Pass(6004);
    EXPECT_FALSE(AllAre(kDark));
}

}  // namespace
}  // namespace morvek
