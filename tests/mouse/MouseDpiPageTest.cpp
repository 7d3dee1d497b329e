#include "devices/mouse/MouseDpiPage.h"

#include <gtest/gtest.h>

#include <optional>

namespace morvek {
namespace {

TEST(MouseDpiPageTest, TypedDpiBecomesSliderSteps) {
    struct Case {
        const char* text;
        MouseDpiFacts facts;
        std::optional<uint16_t> steps;
    };
    const MouseDpiFacts step100{100, 320, 100};
    const Case cases[] = {
        {"850", step100, 8},
        {"", step100, 1},        // empty counts as 0, raised to the lowest DPI
        {"abc", step100, 1},
        {"-400", step100, 1},
        {"50", step100, 1},
        {" 1600", step100, 16},
        {"99999999999999999999", step100, 320},  // kept within the slider's range
        {"40000", step100, 320},
        {"1600", {50, 0, 0}, 32},                // no highest value reported: only the 16 bits bound it
        {"1600", {0, 320, 100}, std::nullopt},   // a DPI step of 0 converts nothing
    };
    for (const Case& c : cases) EXPECT_EQ(DpiStepsFromText(c.text, c.facts), c.steps) << '"' << c.text << '"';
}

TEST(MouseDpiPageTest, LastEnabledStageCannotBeSwitchedOff) {
    MouseDpiPage page;
    std::vector<DpiStageRecord> stages(5, DpiStageRecord{1, 0, 8, 8, 0, 0, 0});
    page.Show(stages, 0, 100);
    for (int n = 0; n < 3; ++n) page.SetEnabled(n, false);
    for (int n = 0; n < 5; ++n) EXPECT_TRUE(page.Row(n).checkEnabled) << n;

    page.SetEnabled(3, false);  // the last but one
    EXPECT_TRUE(page.Row(4).checked);
    EXPECT_FALSE(page.Row(4).checkEnabled);
    EXPECT_TRUE(page.Row(3).checkEnabled);

    page.SetEnabled(1, true);
    for (int n = 0; n < 5; ++n) EXPECT_TRUE(page.Row(n).checkEnabled) << n;
    EXPECT_FALSE(page.SetEnabled(5, true));
}

TEST(MouseDpiPageTest, SwitchingOffTheCurrentStageMovesItToTheNextEnabledOne) {
    struct Case {
        std::vector<uint8_t> enabled;  // enable byte per stage, after the switch-off
        int current;
        int disabled;
        int expected;
    };
    const Case cases[] = {
        {{1, 0, 1, 1, 1}, 1, 1, 2},  // the next stage
        {{1, 0, 0, 1, 1}, 1, 1, 3},  // disabled stages are passed over
        {{1, 1, 1, 1, 0}, 4, 4, 0},  // wraps around at the end of the list
        {{0, 1, 1}, 0, 0, 1},        // a list of three stages wraps at three
        {{1, 0, 1, 1, 1}, 3, 1, 3},  // another stage switched off: the current one stays
        {{0, 0, 0, 0, 0}, 2, 2, 2},  // none left (the page never allows it): stays
        {{}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::vector<DpiStageRecord> stages;
        for (uint8_t on : c.enabled) stages.push_back(DpiStageRecord{on, 0, 8, 8, 0, 0, 0});
        EXPECT_EQ(CurrentStageAfterDisabling(stages, c.current, c.disabled), c.expected)
            << "current " << c.current << ", disabled " << c.disabled;
    }
}

TEST(MouseDpiPageTest, ShowFollowsTheStagesPresent) {
    MouseDpiPage page;
    std::vector<DpiStageRecord> stages = {{1, 0, 8, 8, 0, 0, 0}, {0, 0, 16, 16, 0, 0, 0}, {1, 0, 32, 32, 0, 0, 0}};
    page.Show(stages, 2, 50);
    EXPECT_EQ(page.Row(0).edit, "400");
    EXPECT_EQ(page.Row(1).slider, 16);
    EXPECT_FALSE(page.Row(1).checked);  // the stage's enable byte, not always ticked
    EXPECT_TRUE(page.Row(2).current);
    EXPECT_FALSE(page.Row(0).current);
    EXPECT_FALSE(page.Row(3).shown);
    EXPECT_FALSE(page.Row(4).shown);

    // A profile with one enabled stage shows that stage greyed out.
    stages = {{0, 0, 8, 8, 0, 0, 0}, {1, 0, 16, 16, 0, 0, 0}};
    MouseDpiPage single;
    single.Show(stages, 0, 50);
    EXPECT_FALSE(single.Row(1).checkEnabled);
    EXPECT_TRUE(single.Row(0).checkEnabled);
}

}  // namespace
}  // namespace morvek
