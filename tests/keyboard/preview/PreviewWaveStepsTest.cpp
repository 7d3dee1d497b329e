// The preview steps that paint from the effect phase: waves, pulses, rainbows, static,
// breathing, colour cycle and custom colours.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keyboard/preview/PreviewWaveSteps.h"
#include "keyboard/preview/PreviewFixture.h"

namespace morvek {
namespace {

class PreviewWaveStepsTest : public PreviewFixture {
protected:
    void Random(bool on) { engine_.Settings().randomColour = on ? 1 : 0; }
    void Up(bool on) { engine_.Settings().direction = on ? 1 : 0; }
};

std::set<int> KeysOfColumns(int first, int last) {
    std::set<int> keys;
    for (int c = first; c <= last; ++c) {
        for (KeyIndex k : ColumnTableA()[size_t(c)]) {
            if (k != kNoKey) keys.insert(k);
        }
    }
    return keys;
}

TEST_F(PreviewWaveStepsTest, ColumnWaveChangesOnlyTheKeysOfColumnsZeroToSix) {
    FillLeds(kMarker);
    Random(true);
    Up(true);
    engine_.SetPhase(190);
    StepColumnWave(engine_);
    EXPECT_EQ(engine_.Phase(), 191);
    const auto changed = ChangedKeys();
    EXPECT_EQ(std::set<int>(changed.begin(), changed.end()), KeysOfColumns(0, 6));
    EXPECT_EQ(Led(120), (LedEntry{ColourWheel()[0], 255}));  // column 0 starts one past the phase
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[7], 255}));
    EXPECT_EQ(Led(104), (LedEntry{ColourWheel()[42], 255}));
}

TEST_F(PreviewWaveStepsTest, SingleColourColumnWaveRunsTheWaveCurveBackwards) {
    StepColumnWave(engine_);  // direction clear: 0 -> 95, column 0 at curve place 0
    EXPECT_EQ(engine_.Phase(), 95);
    EXPECT_EQ(Led(120), (LedEntry{kColour, ScaleBrightness(255, WaveCurve96()[0])}));
    EXPECT_EQ(Led(0), (LedEntry{kColour, ScaleBrightness(255, WaveCurve96()[7])}));
}

TEST_F(PreviewWaveStepsTest, RowWaveSpacesRowsThirtyWheelEntriesApart) {
    Random(true);
    Up(true);
    StepRowWave(engine_);
    for (int key : {120, 0, 22, 26}) EXPECT_EQ(Led(key).colour, ColourWheel()[2]) << key;
    for (int key : {121, 42, 47}) EXPECT_EQ(Led(key).colour, ColourWheel()[32]) << key;
    EXPECT_EQ(Led(104).colour, ColourWheel()[122]);  // row 4
}

TEST_F(PreviewWaveStepsTest, SnakeWaveFollowsTheSnakeFiveApartAndLeavesOtherKeys) {
    FillLeds(kMarker);
    Up(true);
    StepSnakeWave(engine_);
    EXPECT_EQ(Led(SnakePath()[0]), (LedEntry{kColour, ScaleBrightness(255, WaveCurve96()[1])}));
    EXPECT_EQ(Led(SnakePath()[1]), (LedEntry{kColour, ScaleBrightness(255, WaveCurve96()[6])}));
    EXPECT_EQ(Led(16), kMarker);
    EXPECT_EQ(ChangedKeys().size(), 111u);
}

TEST_F(PreviewWaveStepsTest, ColumnPulseRunsThePulseCurveOnePlacePerColumn) {
    Up(true);
    StepColumnPulse(engine_);
    EXPECT_EQ(Led(120).brightness, 255 * PulseCurve192()[1] / 256);
    EXPECT_EQ(Led(0).brightness, 255 * PulseCurve192()[2] / 256);
    Random(true);
    StepColumnPulse(engine_);
    EXPECT_EQ(Led(120).colour, ColourWheel()[2]);
    EXPECT_EQ(Led(0).colour, ColourWheel()[4]);
}

TEST_F(PreviewWaveStepsTest, BandRainbowGivesEachBandItsOwnWheelColour) {
    FillLeds(kMarker);
    Up(true);
    StepBandRainbow(engine_);
    EXPECT_EQ(Led(65), (LedEntry{ColourWheel()[18], 255}));
    EXPECT_EQ(Led(44), (LedEntry{ColourWheel()[35], 255}));
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[86], 255}));
    EXPECT_EQ(Led(1), kMarker);
}

TEST_F(PreviewWaveStepsTest, KeyboardStaticPaintsBandsWithRandomColoursElseEveryKey) {
    FillLeds(kMarker);
    Random(true);
    StepKeyboardStatic(engine_);
    EXPECT_EQ(Led(65).colour, ColourWheel()[103]);
    EXPECT_EQ(Led(44).colour, ColourWheel()[86]);
    EXPECT_EQ(Led(0).colour, ColourWheel()[35]);
    EXPECT_EQ(Led(1), kMarker);
    Random(false);
    StepKeyboardStatic(engine_);
    EXPECT_TRUE(ChangedKeys().size() == kKeyCount && Led(1) == (LedEntry{kColour, 255}));
}

TEST_F(PreviewWaveStepsTest, KeyboardBreathingColoursColumnsSevenApartWithRandomColours) {
    FillLeds(kMarker);
    Up(true);
    engine_.SetPhase(63);
    StepKeyboardBreathing(engine_);
    EXPECT_EQ(Led(1), (LedEntry{kColour, 254}));
    Random(true);
    FillLeds(kMarker);
    engine_.SetPhase(63);
    StepKeyboardBreathing(engine_);
    EXPECT_EQ(Led(120), (LedEntry{ColourWheel()[0], 254}));
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[7], 254}));
    EXPECT_EQ(Led(1), kMarker);
}

TEST_F(PreviewWaveStepsTest, ColourCycleMovesEveryKeyOneWheelEntryAndWraps) {
    engine_.ColourIndices()[3] = 191;
    engine_.ColourIndices()[4] = 33;
    StepColourCycle(engine_);
    EXPECT_EQ(engine_.ColourIndices()[3], 0);
    EXPECT_EQ(Led(3), (LedEntry{ColourWheel()[0], 255}));
    EXPECT_EQ(Led(4), (LedEntry{ColourWheel()[34], 255}));
}

TEST_F(PreviewWaveStepsTest, CustomLightKeepsEachKeysColourAtTheConfiguredBrightness) {
    FillLeds(kMarker);
    engine_.SetLedColour(9, LedEntry{{9, 8, 7}, 255}.Packed());
    engine_.Settings().brightnessLevel = 1;
    StepCustomLight(engine_);
    EXPECT_EQ(Led(0), (LedEntry{kMarker.colour, 80}));
    EXPECT_EQ(Led(9), (LedEntry{{9, 8, 7}, 80}));
}

}  // namespace
}  // namespace morvek
