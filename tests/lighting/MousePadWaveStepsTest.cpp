// The mouse pad's wave, fading wave and paired-LED wave over the light engine.

#include <gtest/gtest.h>

#include <vector>

#include "devicelink/LightTables.h"
#include "devices/lighting/MousePadWaveSteps.h"

namespace morvek {
namespace {

constexpr size_t kPadLeds = 15;

class MousePadWaveStepsTest : public ::testing::Test {
protected:
    MousePadWaveStepsTest() {
        engine_.SetLightCount(kPadLeds);
        engine_.Settings().brightnessLevel = 4;
        engine_.Settings().colour = {10, 20, 30};
    }

    LedEntry Led(size_t i) const { return engine_.Leds()[i]; }

    // Runs fading-wave steps and lists the LEDs in the order they light up from dark.
    std::vector<size_t> LightingOrder(int steps, bool paired) {
        std::vector<size_t> order;
        std::vector<uint8_t> before(kPadLeds, 0);
        for (int s = 0; s < steps; ++s) {
            paired ? waves_.StepPairedWave(engine_) : waves_.StepFadingWave(engine_);
            for (size_t i = 0; i < kPadLeds; ++i) {
                if (before[i] == 0 && Led(i).brightness != 0) order.push_back(i);
                before[i] = Led(i).brightness;
            }
        }
        return order;
    }

    LightEngine engine_{[] { return 0u; }};
    MousePadWaveSteps waves_;
};

TEST_F(MousePadWaveStepsTest, RandomWaveSpreadsWheelColoursSevenApart) {
    engine_.Settings().randomColour = 1;
    engine_.Settings().direction = 1;
    engine_.SetPhase(190);
    MousePadWaveSteps::StepWave(engine_);
    EXPECT_EQ(engine_.Phase(), 191);
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[0], 255}));
    EXPECT_EQ(Led(1), (LedEntry{ColourWheel()[7], 255}));
    EXPECT_EQ(Led(14), (LedEntry{ColourWheel()[98], 255}));
}

TEST_F(MousePadWaveStepsTest, SingleColourWaveRunsTheCurveOverNinetySixPlaces) {
    engine_.Settings().brightnessLevel = 0;  // value 30
    MousePadWaveSteps::StepWave(engine_);    // backwards from 0
    EXPECT_EQ(engine_.Phase(), 95);
    // LED 0 sits at the curve's start (22), LED 7 at place 49 of the falling half.
    EXPECT_EQ(Led(0), (LedEntry{{10, 20, 30}, 30 * 22 / 256}));
    engine_.SetPhase(46);
    engine_.Settings().direction = 1;
    MousePadWaveSteps::StepWave(engine_);
    EXPECT_EQ(Led(0).brightness, 30 * 255 / 256);  // the curve's top
    EXPECT_EQ(Led(0).colour, (LedColour{10, 20, 30}));
}

TEST_F(MousePadWaveStepsTest, FadingWaveTravelsUpwards) {
    engine_.Settings().direction = 1;
    EXPECT_EQ(LightingOrder(30, false), (std::vector<size_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
}

TEST_F(MousePadWaveStepsTest, FadingWaveTravelsDownwardsAndComesRound) {
    engine_.Settings().direction = 0;
    EXPECT_EQ(LightingOrder(50, false), (std::vector<size_t>{1, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
}

TEST_F(MousePadWaveStepsTest, FadingWaveBrightnessFollowsTheFadeLevel) {
    engine_.Settings().brightnessLevel = 2;  // value 135
    engine_.FadeLevels()[5] = 255;
    waves_.StepFadingWave(engine_);
    EXPECT_EQ(engine_.FadeLevels()[5], 215);
    EXPECT_EQ(Led(5), (LedEntry{{10, 20, 30}, 135 * 215 / 256}));
    EXPECT_EQ(Led(4).brightness, 0);
}

TEST_F(MousePadWaveStepsTest, RandomFadingWaveKeepsColoursWhileItsHeadIsAtTheStartEdge) {
    engine_.Settings().randomColour = 1;
    for (size_t i = 0; i < kPadLeds; ++i) engine_.SetLedColour(int(i), LedEntry{{uint8_t(i), 1, 2}, 0}.Packed());
    engine_.FadeLevels()[14] = 255;
    engine_.Settings().direction = 0;
    waves_.StepFadingWave(engine_);
    for (size_t i = 0; i < kPadLeds; ++i) EXPECT_EQ(Led(i).colour, (LedColour{uint8_t(i), 1, 2})) << i;

    // The same fade at the other edge does not hold the colours when running upwards.
    engine_.Settings().direction = 1;
    const uint8_t phase = engine_.Phase();
    waves_.StepFadingWave(engine_);
    const uint8_t first = static_cast<uint8_t>(phase + 1 + 12);
    EXPECT_EQ(Led(0).colour, ColourWheel()[first % kColourWheelCycle]);
}

TEST_F(MousePadWaveStepsTest, PairedWaveLightsBothLedsOfAPairAndLeavesLedZero) {
    engine_.SetLedColour(0, LedEntry{{7, 7, 7}, 99}.Packed());
    engine_.Settings().direction = 1;
    const std::vector<size_t> order = LightingOrder(20, true);
    EXPECT_FALSE(order.empty());
    for (int s = 0; s < 20; ++s) {
        waves_.StepPairedWave(engine_);
        for (const auto& [a, b] : {std::pair{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}) {
            EXPECT_EQ(Led(size_t(a)), Led(size_t(b))) << a;
        }
    }
    EXPECT_EQ(Led(0), (LedEntry{{7, 7, 7}, 99}));
}

TEST_F(MousePadWaveStepsTest, PairedWaveOnFewerLedsPaintsOnlyThoseThere) {
    engine_.SetLightCount(13);
    for (size_t i = 1; i < 8; ++i) engine_.FadeLevels()[i] = 255;
    waves_.StepPairedWave(engine_);
    EXPECT_EQ(engine_.LightCount(), 13u);
    EXPECT_EQ(Led(2).brightness, 255 * 215 / 256);
    EXPECT_EQ(Led(12), Led(3));
}

}  // namespace
}  // namespace morvek
