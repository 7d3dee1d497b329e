// The preview steps that light single keys and let them fade: pulses, sweep, twinkle, frames,
// key states; and the start actions that prepare them.

#include <gtest/gtest.h>

#include <algorithm>

#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewFadeSteps.h"
#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keyboard/preview/PreviewStartActions.h"
#include "keyboard/preview/PreviewFixture.h"

namespace morvek {
namespace {

using PreviewFadeStepsTest = PreviewFixture;

TEST_F(PreviewFadeStepsTest, StartColourIndicesSpreadsKeysThirtyThreeEntriesApart) {
    StartColourIndices(engine_);
    EXPECT_EQ(engine_.ColourIndices()[0], 33);
    EXPECT_EQ(engine_.ColourIndices()[5], 6);
    EXPECT_EQ(engine_.ColourIndices()[63], 0);
}

TEST_F(PreviewFadeStepsTest, StartColumnPhasesStaggersTheKeysOfColumnTableB) {
    engine_.ColourIndices()[16] = 99;  // not in ColumnTableB
    StartColumnPhases(engine_, state_);
    EXPECT_EQ(state_.pulsePhases[0], 149);  // column 1, row 0
    EXPECT_EQ(engine_.ColourIndices()[0], 7);
    EXPECT_EQ(state_.pulsePhases[120], 122);  // column 0, row 1: 192 - 35 - 35
    EXPECT_EQ(state_.pulsePhases[123], 17);
    EXPECT_EQ(state_.pulsePhases[124], 31);  // column 7, row 2: 136 - 3 x 35
    EXPECT_EQ(state_.pulsePhases[107], 185);  // column 3, row 4: 28 is below 35, so 28 + 157
    EXPECT_EQ(engine_.ColourIndices()[124], 49);
    EXPECT_EQ(engine_.ColourIndices()[16], 99);
}

TEST_F(PreviewFadeStepsTest, ResetKeepsColoursAndPhasesButClearsFadesStageAndRipples) {
    engine_.SetPhase(40);
    engine_.FadeLevels()[3] = 200;
    engine_.ColourIndices()[3] = 50;
    state_.pulsePhases[3] = 60;
    state_.stage = 2;
    state_.ripples.Seed(4, 4);
    ResetLightEffects(engine_, state_);
    EXPECT_EQ(engine_.Phase(), 0);
    EXPECT_EQ(Fade(3), 0);
    EXPECT_EQ(state_.stage, 0);
    EXPECT_TRUE(state_.ripples.Empty());
    EXPECT_EQ(engine_.ColourIndices()[3], 50);
    EXPECT_EQ(state_.pulsePhases[3], 60);
}

TEST_F(PreviewFadeStepsTest, KeyPulseRunsEachSnakeKeyThroughThePulseCurve) {
    StartColumnPhases(engine_, state_);
    StepKeyPulse(engine_, state_);
    EXPECT_EQ(state_.pulsePhases[123], 18);
    EXPECT_EQ(Led(123), (LedEntry{kColour, ScaleBrightness(255, PulseCurve192()[18])}));
    state_.pulsePhases[15] = 191;
    StepKeyPulse(engine_, state_);
    EXPECT_EQ(state_.pulsePhases[15], 0);
    EXPECT_EQ(Led(16).brightness, 0);  // not on the snake: never painted
}

TEST_F(PreviewFadeStepsTest, KeyPulseFastUsesTheKeyPatternAsFadePhasesTwoAPlace) {
    StartKeyPattern(engine_);
    EXPECT_EQ(Fade(21), KeyPatternTable()[8]);  // column 1, row 2
    EXPECT_EQ(engine_.ColourIndices()[21], 7);
    StepKeyPulseFast(engine_, state_);
    EXPECT_EQ(Fade(21), KeyPatternTable()[8] + 2);
    EXPECT_EQ(Led(21).brightness, 255 * PulseCurve192()[KeyPatternTable()[8] + 2] / 256);
    engine_.FadeLevels()[15] = 190;
    StepKeyPulseFast(engine_, state_);
    EXPECT_EQ(Fade(15), 0);
}

TEST_F(PreviewFadeStepsTest, SweepBackwardsFromPhaseZeroFirstTurnsThenLightsKeyZero) {
    StepSweep(engine_);
    EXPECT_EQ(engine_.Phase(), 126);
    EXPECT_TRUE(LitKeys().empty());
    StepSweep(engine_);
    EXPECT_EQ(engine_.Phase(), 125);
    EXPECT_EQ(LitKeys(), std::vector<int>{0});
    EXPECT_EQ(Fade(0), 214);  // 254, then one fade step
}

TEST_F(PreviewFadeStepsTest, SweepForwardsLightsThePathInOrderAndStartsOver) {
    engine_.Settings().direction = 1;
    StepSweep(engine_);
    StepSweep(engine_);
    EXPECT_EQ(engine_.Phase(), 2);
    EXPECT_GT(Fade(0), 0);
    EXPECT_GT(Fade(1), Fade(0));
    engine_.SetPhase(126);
    StepSweep(engine_);
    EXPECT_EQ(engine_.Phase(), 0);
}

TEST_F(PreviewFadeStepsTest, TwinkleNeverLightsTheLastSevenPlacesOfTheSnake) {
    std::vector<int> everLit(kKeyCount, 0);
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        KeyboardPreviewState state(seed);
        std::ranges::fill(engine_.FadeLevels(), 0);
        for (int step = 0; step < 100; ++step) {
            StepTwinkle(engine_, state);
            for (int key : LitKeys()) everLit[size_t(key)] = 1;
        }
    }
    for (int place = 104; place <= 110; ++place) EXPECT_EQ(everLit[SnakePath()[size_t(place)]], 0) << place;
    EXPECT_EQ(everLit[16], 0);
    for (int place = 0; place < 104; ++place) EXPECT_EQ(everLit[SnakePath()[size_t(place)]], 1) << place;
}

TEST_F(PreviewFadeStepsTest, FramesLightTheNextFrameAndFadeByFive) {
    engine_.Settings().direction = 1;
    StepFrames(engine_);
    EXPECT_EQ(engine_.Phase(), 1);
    for (int key : {0, 26, 27, 50, 51}) {
        EXPECT_EQ(Fade(key), 250) << key;
        EXPECT_EQ(engine_.ColourIndices()[size_t(key)], 3) << key;
        EXPECT_EQ(Led(key), (LedEntry{kColour, 249})) << key;
    }
    EXPECT_EQ(LitKeys().size(), 5u);
    engine_.Settings().randomColour = 1;
    engine_.ColourIndices()[7] = 254;
    StepFrames(engine_);
    EXPECT_EQ(engine_.ColourIndices()[7], 255);  // grows to 255 and stays
    EXPECT_EQ(Led(7), (LedEntry{ColourWheel()[255], 255}));
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[6], 255}));  // random colours are not faded
}

TEST_F(PreviewFadeStepsTest, KeyStatesBrightenHeldKeysAndFadeReleasedOnes) {
    state_.keyStates[1] = KeyState::Held;
    engine_.FadeLevels()[1] = 250;
    state_.keyStates[2] = KeyState::Released;
    engine_.FadeLevels()[2] = 3;
    engine_.FadeLevels()[3] = 100;  // no state: stays
    StepKeyStates(engine_, state_);
    EXPECT_EQ(Fade(1), 255);
    EXPECT_EQ(Fade(2), 0);
    EXPECT_EQ(Fade(3), 100);
    EXPECT_EQ(Led(3), (LedEntry{kColour, 99}));
}

}  // namespace
}  // namespace morvek
