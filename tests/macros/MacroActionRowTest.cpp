#include <gtest/gtest.h>

#include <string>

#include "macros/MacroActionRow.h"
#include "macros/MacroMouseActions.h"

namespace morvek {
namespace {

TEST(MacroActionRowTest, EachKindOfEventShowsItsNameAndAction) {
    struct Case {
        MacroEvent event;
        MacroActionRowView view;
    } cases[] = {
        {{kMacroEventKey, 0x04, true, 0}, {"keyboard_key_A", kMacroKeyboardStyle, kMacroDownStyle, ""}},
        {{kMacroEventKey, 0x58, false, 0}, {"keyboard_key_Num Enter", kMacroKeyboardStyle, kMacroUpStyle, ""}},
        {{kMacroEventKey, 0x00, true, 0}, {"", kMacroKeyboardStyle, kMacroDownStyle, ""}},
        {{kMacroEventKey, 0x300, true, 0}, {"", kMacroKeyboardStyle, kMacroDownStyle, ""}},
        {{kMacroEventModifier, 0x02, true, 0}, {"keyboard_key_LShift", kMacroKeyboardStyle, kMacroDownStyle, ""}},
        {{kMacroEventModifier, 0x40, false, 0}, {"keyboard_key_RAlt", kMacroKeyboardStyle, kMacroUpStyle, ""}},
        {{kMacroEventModifier, 0x03, true, 0}, {"", kMacroKeyboardStyle, kMacroDownStyle, ""}},
        {{kMacroEventMouseButton, 0x01, true, 0}, {"mouse_key_left", kMacroMouseStyle, kMacroDownStyle, ""}},
        {{kMacroEventMouseButton, 0x08, false, 0}, {"mouse_key_back", kMacroMouseStyle, kMacroUpStyle, ""}},
        {{kMacroEventMouseButton, 0x10, true, 0}, {"mouse_key_forward", kMacroMouseStyle, kMacroDownStyle, ""}},
        {{kMacroEventMouseButton, 0x20, true, 0}, {"", kMacroMouseStyle, kMacroDownStyle, ""}},
        {{kMacroEventMoveHorizontal, 12, true, 0}, {"mouse_move_to_left_text", kMacroMouseStyle, kMacroTextStyle, "12"}},
        {{kMacroEventMoveHorizontal, 3, false, 0}, {"mouse_move_to_right_text", kMacroMouseStyle, kMacroTextStyle, "3"}},
        {{kMacroEventMoveVertical, 0, true, 0}, {"mouse_move_to_up_text", kMacroMouseStyle, kMacroTextStyle, "0"}},
        {{kMacroEventMoveVertical, 255, false, 0}, {"mouse_move_to_down_text", kMacroMouseStyle, kMacroTextStyle, "255"}},
        {{kMacroEventMouseOther2, 1, true, 0}, {"", kMacroMouseStyle, kMacroTextStyle, ""}},
        {{kMacroEventMouseOther3, 1, false, 0}, {"", kMacroMouseStyle, kMacroTextStyle, ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PresentMacroEvent(c.event), c.view) << c.event.type << " " << c.event.button;
    }
}

TEST(MacroActionRowTest, MouseActionsAndTheirMenuItems) {
    using A = MacroMouseAction;
    struct Case {
        A action;
        long long distance;
        MacroEvent event;
    } cases[] = {
        {A::LeftDown, 7, {kMacroEventMouseButton, 0x01, true, 50}},
        {A::RightUp, 7, {kMacroEventMouseButton, 0x02, false, 50}},
        {A::MiddleDown, 7, {kMacroEventMouseButton, 0x04, true, 50}},
        {A::ForwardUp, 7, {kMacroEventMouseButton, 0x10, false, 50}},
        {A::BackDown, 7, {kMacroEventMouseButton, 0x08, true, 50}},
        {A::MoveLeft, 7, {kMacroEventMoveHorizontal, 7, true, 50}},
        {A::MoveRight, 255, {kMacroEventMoveHorizontal, 255, false, 50}},
        {A::MoveUp, 300, {kMacroEventMoveVertical, 44, true, 50}},
        {A::MoveDown, -1, {kMacroEventMoveVertical, 255, false, 50}},
    };
    for (const Case& c : cases) EXPECT_EQ(MouseActionEvent(c.action, c.distance, 50), c.event);

    EXPECT_EQ(MouseActionsOfMenuItem("middle_up"), std::vector<A>{A::MiddleUp});
    EXPECT_EQ(MouseActionsOfMenuItem("Forward_Click"), (std::vector<A>{A::ForwardDown, A::ForwardUp}));
    EXPECT_EQ(MouseActionsOfMenuItem("back_click"), (std::vector<A>{A::BackDown, A::BackUp}));
    EXPECT_TRUE(MouseActionsOfMenuItem("redio_later_record_time").empty());

    EXPECT_EQ(MoveActionOfButton("macro_inset_moveupkey_btn"), A::MoveUp);
    EXPECT_EQ(std::string(MoveDistanceEdit(A::MoveUp)), "mouse_y_up_edit");
    EXPECT_EQ(std::string(MoveDistanceEdit(A::MoveLeft)), "mouse_x_left_edit");
    EXPECT_FALSE(MoveActionOfButton("macro_btn_up"));
}

}  // namespace
}  // namespace morvek
