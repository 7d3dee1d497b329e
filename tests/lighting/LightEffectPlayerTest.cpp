// The effect-sequence player over light engines of any LED count.

#include <gtest/gtest.h>

#include <vector>

#include "devicelink/LightTables.h"
#include "devices/keyboard/preview/PreviewPaint.h"
#include "devices/lighting/LightEffectPlayer.h"

namespace morvek {
namespace {

constexpr size_t kLeds = 7;  // not the keyboard's count: the player serves every device
constexpr LedEntry kMarker = {{1, 2, 3}, 4};

LightEffectStep Entry(uint8_t mode, uint8_t speed, int timeMs = 100000) {
    LightEffectStep step;
    step.mode = mode;
    step.speed = speed;
    step.brightness = 4;
    step.red = 200;
    step.green = 100;
    step.blue = 50;
    step.time = timeMs;
    return step;
}

class LightEffectPlayerTest : public ::testing::Test {
protected:
    LightEffectPlayerTest() {
        engine_.SetLightCount(kLeds);
        for (size_t i = 0; i < kLeds; ++i) engine_.SetLedColour(int(i), kMarker.Packed());
    }
    void Passes(int count, uint32_t nowMs = 0) {
        for (int i = 0; i < count; ++i) player_.Pass(engine_, nowMs);
    }
    LedEntry Led(size_t i) const { return engine_.Leds()[i]; }
    bool AllLeds(LedEntry entry) const {
        for (size_t i = 0; i < kLeds; ++i) {
            if (Led(i) != entry) return false;
        }
        return true;
    }

    LightEngine engine_{[] { return 0u; }};
    LightEffectPlayer player_;
};

constexpr LedColour kEntryColour = {200, 100, 50};

TEST_F(LightEffectPlayerTest, AnEmptySequenceTurnsEveryLedDark) {
    player_.Pass(engine_, 0);
    EXPECT_TRUE(AllLeds(LedEntry{}));
}

TEST_F(LightEffectPlayerTest, BreathingMovesOnePhaseEveryThresholdPasses) {
    player_.SetSequence({Entry(0, 4)});  // threshold 7
    Passes(6);
    EXPECT_EQ(player_.Phase(), 0);
    Passes(1);
    EXPECT_EQ(player_.Phase(), 1);
    Passes(7 * 39);
    EXPECT_TRUE(AllLeds({kEntryColour, ScaleBrightness(255, BreathingCurve()[40])}));
    auto multi = Entry(0, 4);
    multi.multiColor = 1;
    player_.SetSequence({multi});
    Passes(1);
    EXPECT_EQ(Led(0).colour, ColourWheel()[0]);
}

TEST_F(LightEffectPlayerTest, StaticPaintsTheEntryColourAtItsBrightness) {
    auto entry = Entry(1, 0);
    entry.brightness = 1;
    player_.SetSequence({entry});
    Passes(1);
    EXPECT_TRUE(AllLeds({kEntryColour, 80}));
}

TEST_F(LightEffectPlayerTest, FlashTogglesByTheModelsOwnSpeedLevel) {
    engine_.Settings().speedLevel = 4;  // 1400 ms, whatever the entry's speed
    auto entry = Entry(2, 0);
    entry.multiColor = 1;
    player_.SetSequence({entry});
    player_.Pass(engine_, 1000);
    EXPECT_TRUE(AllLeds(LedEntry{}));
    player_.Pass(engine_, 1400);  // phase 2 at the toggle: colour index 16
    EXPECT_TRUE(AllLeds({ColourWheel()[16], 255}));
    player_.Pass(engine_, 2799);
    EXPECT_TRUE(AllLeds({ColourWheel()[16], 255}));
    player_.Pass(engine_, 2800);
    EXPECT_TRUE(AllLeds(LedEntry{}));
}

TEST_F(LightEffectPlayerTest, WaveRunsAlongTheLedsTwelveApart) {
    auto entry = Entry(4, 0);
    entry.multiColor = 1;
    player_.SetSequence({entry});
    Passes(1);  // direction clear, phase 0: starts at 1
    EXPECT_EQ(Led(0), (LedEntry{ColourWheel()[1], 255}));
    EXPECT_EQ(Led(1), (LedEntry{ColourWheel()[13], 255}));
    EXPECT_EQ(Led(6), (LedEntry{ColourWheel()[73], 255}));
    entry.multiColor = 0;
    entry.direction = 1;
    player_.SetSequence({entry});
    Passes(1);  // phase 0 backwards starts at 191: curve places 11, 23, ...
    EXPECT_EQ(Led(0), (LedEntry{kEntryColour, ScaleBrightness(255, WaveCurve96()[11])}));
    EXPECT_EQ(Led(1), (LedEntry{kEntryColour, ScaleBrightness(255, WaveCurve96()[23])}));
}

TEST_F(LightEffectPlayerTest, SpectrumAtSpeedTwoMovesEveryFivePasses) {
    player_.SetSequence({Entry(5, 2)});
    Passes(5);
    EXPECT_EQ(player_.Phase(), 1);
    EXPECT_TRUE(AllLeds({ColourWheel()[1], 255}));
}

TEST_F(LightEffectPlayerTest, OtherEntryModesPaintNothing) {
    player_.SetSequence({Entry(3, 0)});
    Passes(3);
    EXPECT_TRUE(AllLeds(kMarker));
}

TEST_F(LightEffectPlayerTest, EachEntryPlaysForItsTimeThenTheNextAndAroundAgain) {
    auto second = Entry(1, 0, 50);
    second.red = 9;
    player_.SetSequence({Entry(1, 0, 100), second});
    player_.Pass(engine_, 1000);
    player_.Pass(engine_, 1100);
    EXPECT_EQ(player_.EntryNumber(), 0u);
    player_.Pass(engine_, 1101);
    EXPECT_EQ(player_.EntryNumber(), 1u);
    EXPECT_EQ(Led(0).colour.c0, 200);
    player_.Pass(engine_, 1102);
    EXPECT_EQ(Led(0).colour.c0, 9);
    player_.Pass(engine_, 1152);
    EXPECT_EQ(player_.EntryNumber(), 0u);
}

TEST_F(LightEffectPlayerTest, AShorterSequenceStartsOverAndANegativeTimeNeverSticks) {
    player_.SetSequence({Entry(1, 0, 0), Entry(1, 0, 0), Entry(1, 0, 0)});
    player_.Pass(engine_, 0);
    player_.Pass(engine_, 1);
    player_.Pass(engine_, 2);
    EXPECT_EQ(player_.EntryNumber(), 2u);
    player_.SetSequence({Entry(1, 0, -5), Entry(1, 0, 0)});
    player_.Pass(engine_, 3);
    EXPECT_EQ(player_.EntryNumber(), 1u);
}

TEST_F(LightEffectPlayerTest, BreathingAfterAWaveStartsItsCurveAgainInsteadOfReadingPastIt) {
    player_.SetSequence({Entry(4, 4)});
    Passes(7 * 150);
    ASSERT_GE(player_.Phase(), 128);
    player_.SetSequence({Entry(0, 0)});
    Passes(1);
    EXPECT_EQ(player_.Phase(), 0);
    EXPECT_TRUE(AllLeds({kEntryColour, 0}));
}

}  // namespace
}  // namespace morvek
