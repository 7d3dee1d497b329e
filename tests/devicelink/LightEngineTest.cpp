#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "devicelink/LightEngine.h"
#include "devicelink/LightTables.h"

namespace morvek {
namespace {

constexpr LedColour kRed = {200, 10, 20};

class LightEngineTest : public ::testing::Test {
protected:
    LightEngineTest() : engine_([this] { return nowMs_; }) {
        engine_.SetLightCount(5);
        engine_.Settings().colour = kRed;
        engine_.Settings().brightnessLevel = 4;
    }

    // Every LED holds the same entry; returns it.
    LedEntry UniformLed() const {
        const auto leds = engine_.Leds();
        for (const LedEntry& led : leds) {
            EXPECT_EQ(led, leds.front());
        }
        return leds.front();
    }

    uint32_t nowMs_ = 100000;
    LightEngine engine_;
};

TEST_F(LightEngineTest, LedColourStoresPackedEntriesInBufferOrder) {
    engine_.SetLedColour(2, 0x80332211);
    EXPECT_EQ(engine_.Leds()[2], (LedEntry{{0x11, 0x22, 0x33}, 0x80}));
    EXPECT_EQ(engine_.GetLedColour(2), 0x80332211u);
    EXPECT_EQ(engine_.GetLedColour(1), 0u);

    engine_.SetLightCount(7);
    EXPECT_EQ(engine_.LightCount(), 7u);
    EXPECT_EQ(engine_.GetLedColour(2), 0u);  // a new count starts dark
}

TEST_F(LightEngineTest, LedIndexesOutsideTheBufferAreIgnoredAndReadAsZero) {
    engine_.StepStatic();
    const std::vector<LedEntry> before(engine_.Leds().begin(), engine_.Leds().end());
    for (int index : {-1, 5, 6, INT_MIN, INT_MAX}) {
        engine_.SetLedColour(index, 0xFFFFFFFF);
        EXPECT_EQ(engine_.GetLedColour(index), 0u) << index;
    }
    EXPECT_EQ(std::vector<LedEntry>(engine_.Leds().begin(), engine_.Leds().end()), before);

    LightEngine empty([] { return 0u; });
    empty.SetLedColour(0, 0xFFFFFFFF);
    EXPECT_EQ(empty.GetLedColour(0), 0u);
}

TEST_F(LightEngineTest, StaticShowsTheConfiguredColourAtTheBrightnessLevel) {
    const struct {
        uint8_t level;
        uint8_t brightness;
    } cases[] = {{0, 30}, {2, 135}, {4, 255}, {7, 255}};
    for (const auto& c : cases) {
        engine_.Settings().brightnessLevel = c.level;
        engine_.StepStatic();
        EXPECT_EQ(UniformLed(), (LedEntry{kRed, c.brightness})) << int{c.level};
    }
}

TEST_F(LightEngineTest, SpectrumWalksTheColourWheelInTheSetDirection) {
    engine_.StepSpectrum();
    EXPECT_EQ(engine_.Phase(), 191);  // direction 0 from phase 0
    EXPECT_EQ(UniformLed(), (LedEntry{ColourWheel()[191], 255}));
    engine_.StepSpectrum();
    EXPECT_EQ(engine_.Phase(), 190);

    engine_.Settings().direction = 1;
    engine_.SetPhase(190);
    engine_.StepSpectrum();
    engine_.StepSpectrum();
    EXPECT_EQ(engine_.Phase(), 0);
    EXPECT_EQ(UniformLed(), (LedEntry{ColourWheel()[0], 255}));
}

TEST_F(LightEngineTest, BreathingFollowsTheCurveScaledByTheBrightnessLevel) {
    engine_.Settings().direction = 1;
    engine_.Settings().brightnessLevel = 1;
    for (int step = 1; step < 128; ++step) {
        engine_.StepBreathing();
        ASSERT_EQ(engine_.Phase(), step);
        EXPECT_EQ(UniformLed(), (LedEntry{kRed, static_cast<uint8_t>(BreathingCurve()[step] * 80 / 256)})) << step;
    }
    engine_.Settings().brightnessLevel = 4;
    engine_.SetPhase(62);
    engine_.StepBreathing();
    EXPECT_EQ(UniformLed().brightness, 254);  // 255 * 255 / 256
}

TEST_F(LightEngineTest, BreathingAdvancesTheWheelColourOncePerBreathInBothDirections) {
    engine_.Settings().randomColour = 1;
    for (uint8_t direction : {0, 1}) {
        engine_.Settings().direction = direction;
        engine_.SetPhase(0);
        engine_.SetColourIndex(0);
        std::vector<int> indexes;
        for (int breath = 0; breath < 14; ++breath) {
            for (int step = 0; step < 128; ++step) {
                engine_.StepBreathing();
            }
            ASSERT_EQ(engine_.Phase(), 0);
            indexes.push_back(engine_.ColourIndex());
            EXPECT_EQ(UniformLed().colour, ColourWheel()[engine_.ColourIndex()]);
        }
        const std::vector<int> expected = {16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 0, 16};
        EXPECT_EQ(indexes, expected) << "direction " << int{direction};
    }
    engine_.SetColourIndex(192);
    engine_.SetPhase(5);
    engine_.StepBreathing();
    EXPECT_EQ(UniformLed().colour, ColourWheel()[0]);  // index 192 shows the first colour

    engine_.Settings().randomColour = 0;
    engine_.StepBreathing();
    EXPECT_EQ(UniformLed().colour, kRed);
}

TEST_F(LightEngineTest, FourColourBreathingCyclesTheListOncePerBreath) {
    engine_.Settings().direction = 1;
    std::vector<int> indexes;
    for (int breath = 0; breath < 5; ++breath) {
        for (int step = 0; step < 128; ++step) {
            engine_.StepBreathingFourColours();
            EXPECT_EQ(UniformLed().colour, FourColour(engine_.ColourIndex()));
        }
        indexes.push_back(engine_.ColourIndex());
    }
    EXPECT_EQ(indexes, (std::vector<int>{1, 2, 3, 0, 1}));

    // A colour index left at 64 by the wheel effects still shows a colour of the list and
    // comes back into it at the next breath.
    engine_.SetColourIndex(64);
    engine_.SetPhase(10);
    engine_.StepBreathingFourColours();
    EXPECT_EQ(UniformLed().colour, FourColour(0));
    engine_.SetPhase(127);
    engine_.StepBreathingFourColours();
    EXPECT_EQ(engine_.ColourIndex(), 0);
}

TEST_F(LightEngineTest, FlashTogglesAfterTheSpeedLevelsHalfPeriod) {
    const struct {
        uint8_t speed;
        uint32_t halfPeriodMs;
    } cases[] = {{4, 1400}, {0, 5600}, {2, 3600}};
    for (const auto& c : cases) {
        LightEngine engine([this] { return nowMs_; });
        engine.SetLightCount(3);
        engine.Settings().speedLevel = c.speed;
        engine.Settings().brightnessLevel = 4;
        engine.Settings().colour = kRed;

        nowMs_ = 50000;
        engine.StepFlash();  // long past the last toggle
        ASSERT_TRUE(engine.FlashOn());
        EXPECT_EQ(engine.Leds()[0], (LedEntry{kRed, 255}));

        nowMs_ += c.halfPeriodMs - 1;
        engine.StepFlash();
        EXPECT_TRUE(engine.FlashOn()) << int{c.speed};

        nowMs_ += 1;
        engine.StepFlash();
        EXPECT_FALSE(engine.FlashOn()) << int{c.speed};
        EXPECT_EQ(engine.Leds()[2], LedEntry{});

        nowMs_ += c.halfPeriodMs;
        engine.StepFlash();
        EXPECT_TRUE(engine.FlashOn()) << int{c.speed};
    }
}

TEST_F(LightEngineTest, FlashTimingSurvivesTheClockWrapping) {
    engine_.Settings().speedLevel = 4;
    nowMs_ = 0xFFFFFF00u;
    engine_.StepFlash();
    ASSERT_TRUE(engine_.FlashOn());
    nowMs_ += 1399;  // wraps past zero
    engine_.StepFlash();
    EXPECT_TRUE(engine_.FlashOn());
    nowMs_ += 1;
    engine_.StepFlash();
    EXPECT_FALSE(engine_.FlashOn());
}

TEST_F(LightEngineTest, FlashWithRandomColourShowsTheWheelAtAPhaseAdvancedPerToggle) {
    engine_.Settings().randomColour = 1;
    engine_.Settings().speedLevel = 4;
    std::vector<int> phases;
    for (int toggle = 0; toggle < 14; ++toggle) {
        engine_.StepFlash();
        phases.push_back(engine_.Phase());
        if (engine_.FlashOn()) {
            EXPECT_EQ(UniformLed(), (LedEntry{ColourWheel()[engine_.Phase()], 255}));
        } else {
            EXPECT_EQ(UniformLed(), LedEntry{});
        }
        nowMs_ += 1400;
    }
    const std::vector<int> expected = {16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 0, 16, 32};
    EXPECT_EQ(phases, expected);
}

TEST_F(LightEngineTest, FourColourFlashShowsTheNextListColourAtEachToggle) {
    engine_.Settings().speedLevel = 4;
    std::vector<int> phases;
    for (int toggle = 0; toggle < 6; ++toggle) {
        engine_.StepFlashFourColours();
        engine_.StepFlashFourColours();  // no toggle within the half-period
        phases.push_back(engine_.Phase());
        if (engine_.FlashOn()) {
            EXPECT_EQ(UniformLed(), (LedEntry{FourColour(engine_.Phase()), 255}));
        } else {
            EXPECT_EQ(UniformLed(), LedEntry{});
        }
        nowMs_ += 1400;
    }
    EXPECT_EQ(phases, (std::vector<int>{1, 2, 3, 0, 1, 2}));
}

TEST_F(LightEngineTest, ClearLedsDarkensEveryLed) {
    engine_.StepStatic();
    engine_.ClearLeds();
    EXPECT_EQ(UniformLed(), LedEntry{});
}

TEST_F(LightEngineTest, KeyFadeFromFullReachesExactlyZeroAtBothSpeedsAndStays) {
    const std::vector<int> common = {215, 175, 135, 95, 65, 35, 25, 17, 9};
    const struct {
        bool fast;
        std::vector<int> tail;
    } cases[] = {{true, {8, 7, 6, 5, 4, 3, 2, 1, 0}}, {false, {5, 1, 0}}};
    for (const auto& c : cases) {
        engine_.FadeLevels()[40] = 255;
        std::vector<int> expected = common;
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        std::vector<int> levels;
        for (size_t i = 0; i < expected.size(); ++i) {
            levels.push_back(engine_.StepKeyFade(40, c.fast));
            EXPECT_EQ(engine_.FadeLevels()[40], levels.back());
        }
        EXPECT_EQ(levels, expected) << "fast " << c.fast;
        EXPECT_EQ(engine_.StepKeyFade(40, c.fast), 0);
        EXPECT_EQ(engine_.FadeLevels()[40], 0);
    }
}

TEST_F(LightEngineTest, KeyFadeStepSizeDependsOnTheLevelsBand) {
    const struct {
        uint8_t level;
        bool fast;
        int next;
    } cases[] = {
        {128, true, 88}, {127, true, 97}, {64, true, 34}, {63, true, 53}, {32, true, 22},
        {31, true, 23},  {17, true, 9},   {16, true, 15}, {16, false, 12}, {3, false, 0},
    };
    for (const auto& c : cases) {
        engine_.FadeLevels()[7] = c.level;
        EXPECT_EQ(engine_.StepKeyFade(7, c.fast), c.next) << int{c.level} << " fast " << c.fast;
    }
}

TEST_F(LightEngineTest, KeyFadeIgnoresKeysOutsideTheFadeBuffer) {
    engine_.FadeLevels()[0] = 200;
    engine_.FadeLevels()[125] = 200;
    for (int key : {-1, 126, 200, INT_MIN}) {
        EXPECT_EQ(engine_.StepKeyFade(key, true), 0) << key;
    }
    EXPECT_EQ(engine_.FadeLevels()[0], 200);
    EXPECT_EQ(engine_.FadeLevels()[125], 200);
    EXPECT_EQ(engine_.StepKeyFade(125, true), 160);
}

TEST_F(LightEngineTest, MarkWaveKeysLightsTheFirstNineKeysFromTheirWaveBytes) {
    for (size_t i : {0u, 8u, 9u, 22u}) {
        engine_.WaveBytes()[i] = 1;
    }
    engine_.FadeLevels()[3] = 7;
    engine_.MarkWaveKeys();
    for (size_t key = 0; key < 23; ++key) {
        const int expected = key == 0 || key == 8 ? 255 : key == 3 ? 7 : 0;
        EXPECT_EQ(engine_.FadeLevels()[key], expected) << key;
    }
}

TEST_F(LightEngineTest, PerLedWaveMarkingLightsKeyIPlusOneForEveryLed) {
    engine_.SetLightCount(15);
    for (size_t i : {0u, 1u, 15u, 16u}) {
        engine_.WaveBytes()[i] = 1;
    }
    engine_.MarkWaveKeysPerLed();
    for (size_t key = 0; key < 23; ++key) {
        EXPECT_EQ(engine_.FadeLevels()[key], key == 1 || key == 15 ? 255 : 0) << key;
    }

    // More LEDs than the wave ring has bytes: marking stops at the ring's end.
    engine_.SetLightCount(126);
    engine_.ClearEffectBuffers();
    engine_.WaveBytes()[22] = 1;
    engine_.MarkWaveKeysPerLed();
    EXPECT_EQ(engine_.FadeLevels()[22], 255);
    EXPECT_EQ(engine_.FadeLevels()[23], 0);
}

TEST_F(LightEngineTest, ShiftWaveRotatesTheRingOnePlace) {
    auto wave = engine_.WaveBytes();
    for (size_t i = 0; i < wave.size(); ++i) {
        wave[i] = static_cast<uint8_t>(i + 1);
    }
    engine_.ShiftWave(true);
    EXPECT_EQ(wave[0], 23);
    EXPECT_EQ(wave[1], 1);
    EXPECT_EQ(wave[22], 22);
    engine_.ShiftWave(false);
    engine_.ShiftWave(false);
    EXPECT_EQ(wave[0], 2);
    EXPECT_EQ(wave[21], 23);
    EXPECT_EQ(wave[22], 1);
    for (int i = 0; i < 22; ++i) {
        engine_.ShiftWave(false);
    }
    for (size_t i = 0; i < wave.size(); ++i) {
        EXPECT_EQ(wave[i], i + 1) << i;  // a whole turn of the ring
    }
}

TEST_F(LightEngineTest, ClearEffectBuffersKeepsTheColourIndices) {
    engine_.FadeLevels()[125] = 9;
    engine_.WaveBytes()[22] = 9;
    engine_.ColourIndices()[125] = 9;
    engine_.ClearEffectBuffers();
    EXPECT_EQ(engine_.FadeLevels()[125], 0);
    EXPECT_EQ(engine_.WaveBytes()[22], 0);
    EXPECT_EQ(engine_.ColourIndices()[125], 9);
}

}  // namespace
}  // namespace morvek
