// The mouse preview thread's counting: steps due for the ticks that went by, the ticks carried
// over to the next step, and how long the thread sleeps (until the next step, but at least the
// light threads' minimum: frames catch the preview up in between).

#include "devices/mouse/MouseLightPreview.h"

#include <gtest/gtest.h>

namespace morvek {
namespace {

TEST(MouseLightPreviewTest, TicksThatWentByRunTheirStepsAndTheRestCarriesOver) {
    struct Case {
        uint32_t counted;   // ticks counted before
        uint32_t elapsed;   // ticks that went by
        uint32_t interval;  // ticks per step
        uint32_t steps;     // steps due
        uint32_t left;      // ticks counted after
    };
    const Case cases[] = {
        {0, 6, 7, 0, 6},    // not yet
        {6, 1, 7, 1, 0},    // the seventh tick steps
        {3, 25, 7, 4, 0},   // a late wake-up runs every step it missed
        {0, 5, 1, 5, 0},    // a custom mode steps every tick: five steps per wake-up
        {0, 30, 28, 1, 2},
        {2, 3, 0, 5, 0},    // no interval counts as one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.counted << " + " << c.elapsed << " / " << c.interval);
        uint32_t counted = c.counted;
        EXPECT_EQ(MouseLightPreview::StepsDue(c.elapsed, c.interval, counted), c.steps);
        EXPECT_EQ(counted, c.left);
    }
}

TEST(MouseLightPreviewTest, SleepsUntilTheNextStepButAtLeastTheMinimum) {
    constexpr uint32_t kMin = MouseLightPreview::kMinWaitTicks;
    static_assert(kMin * 2 == 200, "the light threads look every 200 ms");
    EXPECT_EQ(MouseLightPreview::TicksToSleep(28, 0), kMin);
    EXPECT_EQ(MouseLightPreview::TicksToSleep(1, 0), kMin);
    EXPECT_EQ(MouseLightPreview::TicksToSleep(7, 9), kMin);  // the interval shrank below the count
    EXPECT_EQ(MouseLightPreview::TicksToSleep(kMin + 30, 10), kMin + 20);
}

}  // namespace
}  // namespace morvek
