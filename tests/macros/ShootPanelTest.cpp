#include <gtest/gtest.h>

#include "macros/ShootPanel.h"

namespace morvek {
namespace {

TEST(ShootPanelTest, DirectionOptionsNameTheirDirection) {
    EXPECT_EQ(ShootDirectionTextId(true, true), "mouse_move_to_left_text");
    EXPECT_EQ(ShootDirectionTextId(true, false), "mouse_move_to_right_text");
    EXPECT_EQ(ShootDirectionTextId(false, true), "mouse_move_to_up_text");
    EXPECT_EQ(ShootDirectionTextId(false, false), "mouse_move_to_down_text");
}

TEST(ShootPanelTest, EditsThatAreNoNumberReadAsZero) {
    struct Case {
        const char* x;
        const char* y;
        const char* delay;
        BulletStep step;
    } cases[] = {
        {"3", "12", "60", {3, 12, 60, false, true}},
        {"", "abc", " 7ms", {0, 0, 7, false, true}},
        {"-4", "300", "99999999999", {-4, 300, 2147483647, false, true}},
    };
    for (const Case& c : cases) EXPECT_EQ(BulletFromEdits(c.x, c.y, c.delay, false, true), c.step) << c.x;
}

TEST(ShootPanelTest, ThePathMovesRightAndDownPositively) {
    const std::vector<BulletStep> bullets = {{3, 12, 60, false, false}, {2, 5, 60, true, true}, {0, 0, 0, true, false}};
    EXPECT_EQ(ShootPath(bullets), (std::vector<ShootPathStep>{{3, 12}, {-2, -5}, {0, 0}}));
}

}  // namespace
}  // namespace morvek
