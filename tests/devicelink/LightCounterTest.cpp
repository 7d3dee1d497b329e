#include <gtest/gtest.h>

#include <set>

#include "devicelink/LightCounter.h"

namespace morvek {
namespace {

struct CounterCase {
    bool up;
    uint8_t limit;
    uint8_t value;
    uint8_t step;
    uint8_t expected;
};

TEST(LightCounterTest, StepsAndWrapsInBothDirections) {
    const CounterCase cases[] = {
        {true, 128, 0, 1, 1},
        {true, 128, 127, 1, 0},
        {true, 96, 92, 3, 95},
        {true, 96, 93, 3, 0},     // reaching the limit wraps
        {true, 255, 250, 10, 0},  // past 255 is past the limit, not a small byte
        {true, 128, 200, 1, 0},   // a value above the limit (left by another effect) restarts
        {false, 192, 0, 1, 191},
        {false, 192, 5, 1, 4},
        {false, 96, 1, 3, 93},
        {false, 128, 200, 1, 127},
        {false, 0, 5, 1, 0},      // degenerate calls stay at 0
        {false, 4, 0, 9, 0},
        {false, 4, 9, 0, 0},
        {true, 0, 0, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepCounter(c.up, c.limit, c.value, c.step), c.expected)
            << "up " << c.up << " limit " << int{c.limit} << " value " << int{c.value} << " step " << int{c.step};
    }
}

TEST(LightCounterTest, SingleStepsVisitEveryValueOnceAndReturn) {
    for (bool up : {true, false}) {
        std::set<int> seen;
        uint8_t value = 0;
        for (int i = 0; i < 192; ++i) {
            value = StepCounter(up, 192, value, 1);
            seen.insert(value);
        }
        EXPECT_EQ(value, 0) << "up " << up;
        EXPECT_EQ(seen.size(), 192u) << "up " << up;
    }
}

TEST(LightCounterTest, ResultAlwaysStaysBelowTheLimit) {
    for (int limit = 1; limit <= 255; ++limit) {
        for (int step : {1, 2, 3, 16, limit}) {
            for (int value = 0; value <= 255; ++value) {
                for (bool up : {true, false}) {
                    ASSERT_LT(StepCounter(up, static_cast<uint8_t>(limit), static_cast<uint8_t>(value),
                                          static_cast<uint8_t>(step)),
                              limit)
                        << "up " << up << " limit " << limit << " value " << value << " step " << step;
                }
            }
        }
    }
}

}  // namespace
}  // namespace morvek
