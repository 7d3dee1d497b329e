// The preview's key tables, paths, patterns and step thresholds.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "devices/keyboard/preview/PreviewKeyTables.h"
#include "devices/keyboard/preview/PreviewPatternTables.h"
#include "devices/keyboard/preview/StepThresholdTable.h"

namespace morvek {
namespace {

TEST(PreviewTablesTest, SnakePathHoldsEachOfItsKeysOnceAndLeavesOutTheRest) {
    const auto& path = SnakePath();
    const std::set<KeyIndex> keys(path.begin(), path.begin() + 111);
    EXPECT_EQ(keys.size(), 111u);
    EXPECT_FALSE(keys.contains(kNoKey));
    EXPECT_TRUE(std::all_of(path.begin() + 111, path.end(), [](KeyIndex k) { return k == kNoKey; }));
    for (KeyIndex absent : {16, 20, 62, 79, 83, 100, 103}) {
        EXPECT_EQ(FilterPathKey(absent), kNoKey) << int(absent);
    }
    EXPECT_EQ(FilterPathKey(77), 77);
    EXPECT_EQ(FilterPathKey(kNoKey), kNoKey);
    const KeyIndex lastPlaces[] = {77, 120, 121, 122, 123, 124, 104};
    EXPECT_TRUE(std::equal(std::begin(lastPlaces), std::end(lastPlaces), path.begin() + 104));
}

TEST(PreviewTablesTest, SweepPathEndsOnKeyZeroAndPulseCurveIsDarkAfterItsFall) {
    EXPECT_EQ(SweepPath()[126], 0);
    EXPECT_EQ(SweepPath()[109], 105);
    EXPECT_EQ(SweepPath()[110], kNoKey);
    const auto& pulse = PulseCurve192();
    EXPECT_EQ(*std::max_element(pulse.begin(), pulse.end()), 255);
    EXPECT_EQ(pulse[24], 255);
    EXPECT_TRUE(std::all_of(pulse.begin() + 88, pulse.end(), [](uint8_t v) { return v == 0; }));
    EXPECT_EQ(KeyPatternTable()[138], 0);
    EXPECT_EQ(KeyPatternTable()[78], 192);
}

TEST(PreviewTablesTest, StepThresholdsByModeAndSpeedLevel) {
    struct Case {
        uint8_t mode;
        uint8_t speed;
        std::optional<uint8_t> ticks;
    };
    const Case cases[] = {
        {1, 2, 5},   {14, 0, 28}, {2, 2, 2},   {3, 2, 3},   {23, 4, 7},  {5, 2, 18}, {24, 3, 13},
        {34, 0, 0},  {39, 1, 28}, {36, 4, 13}, {38, 9, 13}, {4, 200, 7}, {0, 2, {}}, {10, 0, {}},
        {25, 4, {}}, {33, 0, {}}, {40, 0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepThreshold(c.mode, c.speed), c.ticks) << "mode " << int(c.mode) << " speed " << int(c.speed);
    }
}

}  // namespace
}  // namespace morvek
