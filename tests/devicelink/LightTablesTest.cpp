#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "devicelink/LightTables.h"

namespace morvek {
namespace {

// Hue of a fully saturated colour in units of 1/255 of a sixth of the circle, 0 .. 1529;
// -1 for a colour that is not fully saturated.
int SaturatedHue(LedColour c) {
    const int hi = std::max({c.c0, c.c1, c.c2});
    const int lo = std::min({c.c0, c.c1, c.c2});
    if (hi != 255 || lo != 0) return -1;
    if (c.c0 == 255 && c.c2 == 0) return c.c1;
    if (c.c1 == 255 && c.c2 == 0) return 255 + 255 - c.c0;
    if (c.c1 == 255) return 510 + c.c2;
    if (c.c2 == 255 && c.c0 == 0) return 765 + 255 - c.c1;
    if (c.c2 == 255) return 1020 + c.c0;
    return 1275 + 255 - c.c2;
}

TEST(LightTablesTest, ColourWheelPassesExactlyThroughItsListedEntries) {
    const LedColour anchors[] = {
        {255, 1, 0},   {255, 18, 0},  {255, 50, 0},  {255, 99, 0},   {255, 164, 0}, {255, 241, 0}, {194, 255, 0},
        {124, 255, 0}, {69, 255, 0},  {29, 255, 0},  {6, 255, 0},    {0, 255, 5},   {0, 255, 26},  {0, 255, 65},
        {0, 255, 119}, {0, 255, 188}, {0, 248, 255}, {0, 170, 255},  {0, 104, 255}, {0, 53, 255},  {0, 20, 255},
        {0, 2, 255},   {10, 0, 255},  {38, 0, 255},  {81, 0, 255},   {140, 0, 255}, {213, 0, 255}, {255, 0, 220},
        {255, 0, 146}, {255, 0, 85},  {255, 0, 41},  {255, 0, 12},
    };
    const auto& wheel = ColourWheel();
    for (size_t a = 0; a < std::size(anchors); ++a) {
        EXPECT_EQ(wheel[6 * a], anchors[a]) << "entry " << 6 * a;
    }
    EXPECT_EQ(wheel[191], (LedColour{255, 0, 0}));
}

TEST(LightTablesTest, ColourWheelSweepsOnceAroundTheHueCircleInSmallSteps) {
    const auto& wheel = ColourWheel();
    int previousHue = -1;
    for (int i = 0; i < kColourWheelCycle; ++i) {
        const LedColour c = wheel[static_cast<size_t>(i)];
        int hue = SaturatedHue(c);
        ASSERT_GE(hue, 0) << "entry " << i << " is not a pure hue";
        if (i == kColourWheelCycle - 1 && hue == 0) {
            hue = 1530;  // the last entry closes the circle
        }
        EXPECT_GT(hue, previousHue) << "entry " << i;
        previousHue = hue;

        // The widest gap between listed entries (78 hue units over six entries) spread evenly, plus rounding.
        const LedColour next = wheel[static_cast<size_t>((i + 1) % kColourWheelCycle)];
        EXPECT_LE(std::abs(c.c0 - next.c0), 14) << "entry " << i;
        EXPECT_LE(std::abs(c.c1 - next.c1), 14) << "entry " << i;
        EXPECT_LE(std::abs(c.c2 - next.c2), 14) << "entry " << i;
    }
}

TEST(LightTablesTest, ColourWheelEntriesFrom192RepeatTheFirst64) {
    const auto& wheel = ColourWheel();
    for (size_t i = 192; i < wheel.size(); ++i) {
        EXPECT_EQ(wheel[i], wheel[i - 192]) << "entry " << i;
    }
}

TEST(LightTablesTest, BreathingCurveRisesToFullAndFallsBackSymmetrically) {
    const auto& curve = BreathingCurve();
    EXPECT_EQ(curve.front(), 0);
    EXPECT_EQ(curve[63], 255);
    EXPECT_EQ(curve[64], 255);
    EXPECT_EQ(curve.back(), 0);
    for (size_t i = 0; i < curve.size(); ++i) {
        EXPECT_EQ(curve[i], curve[curve.size() - 1 - i]) << "phase " << i;
    }
    for (size_t i = 1; i < 64; ++i) {
        EXPECT_GT(curve[i], curve[i - 1]) << "phase " << i;
    }
}

TEST(LightTablesTest, WaveCurveIsTheUpperBreathingCurveRisingAndFalling) {
    const auto& wave = WaveCurve96();
    const auto& breathing = BreathingCurve();
    EXPECT_EQ(wave.front(), 22);
    EXPECT_EQ(wave[47], 255);
    EXPECT_EQ(wave[48], 255);
    EXPECT_EQ(wave.back(), 22);
    for (size_t i = 0; i < 48; ++i) {
        EXPECT_EQ(wave[i], breathing[16 + i]) << "position " << i;
        EXPECT_EQ(wave[95 - i], wave[i]) << "position " << i;
    }
}

TEST(LightTablesTest, LevelTablesGrowWithTheLevelAndCapOutOfRangeLevels) {
    EXPECT_EQ(BrightnessLevelValue(0), 30);
    EXPECT_EQ(BrightnessLevelValue(4), 255);
    EXPECT_EQ(SpeedFactor(0), 28);
    EXPECT_EQ(SpeedFactor(4), 7);
    for (uint8_t level = 1; level <= 4; ++level) {
        EXPECT_GT(BrightnessLevelValue(level), BrightnessLevelValue(level - 1));
        EXPECT_LT(SpeedFactor(level), SpeedFactor(level - 1));
    }
    for (uint8_t level : {5, 9, 255}) {
        EXPECT_EQ(BrightnessLevelValue(level), 255) << int{level};
        EXPECT_EQ(SpeedFactor(level), 7) << int{level};
    }
}

TEST(LightTablesTest, FourColourIndexWrapsAroundTheList) {
    EXPECT_EQ(FourColour(0), (LedColour{0, 255, 180}));
    EXPECT_EQ(FourColour(3), (LedColour{255, 0, 0}));
    for (uint8_t index : {4, 7, 64, 255}) {
        EXPECT_EQ(FourColour(index), FourColour(index % 4)) << int{index};
    }
}

}  // namespace
}  // namespace morvek
