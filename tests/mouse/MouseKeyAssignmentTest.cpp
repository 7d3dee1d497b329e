#include "devices/mouse/MouseKeyAssignment.h"

#include <gtest/gtest.h>

namespace morvek {
namespace {

struct AssignmentCase {
    const char* what;
    KeyAssignment assignment;
    KeyAssignment buttonDefault;
    MouseKeyStatus expected;
};

// With three macros in the list (numbers 0-2).
constexpr size_t kMacros = 3;
constexpr KeyAssignment kLeft{0x10, 0x01, 0x00};

TEST(MouseKeyAssignmentTest, PanelFunctionsAndTheButtonsOwnDefaultAreTaken) {
    const AssignmentCase cases[] = {
        {"mouse button", {0x10, 0x02, 0x00}, kLeft, MouseKeyStatus::kDone},
        {"swing", {0x11, 0x35, 0x82}, kLeft, MouseKeyStatus::kDone},
        {"wheel down 3", {0x12, 0x11, 0xFD}, kLeft, MouseKeyStatus::kDone},
        {"DPI cycle", {0x13, 0x03, 0x00}, kLeft, MouseKeyStatus::kDone},
        {"DPI function 4", {0x13, 0x04, 0x00}, kLeft, MouseKeyStatus::kNoSuchDpiFunction},
        {"DPI function 0", {0x13, 0x00, 0x00}, kLeft, MouseKeyStatus::kNoSuchDpiFunction},
        {"rapid fire", {0x14, 0xFF, 0xFF}, kLeft, MouseKeyStatus::kDone},
        {"Ctrl+O", {0x20, 0x01, 0x12}, kLeft, MouseKeyStatus::kDone},
        {"disabled key", {0x20, 0x00, 0x00}, kLeft, MouseKeyStatus::kDone},
        {"play/pause", {0x30, 0xCD, 0x00}, kLeft, MouseKeyStatus::kDone},
        {"sleep", {0x40, 0x02, 0x00}, kLeft, MouseKeyStatus::kDone},
        {"last macro, repeat mode 3", {0x70, 0x02, 0x03}, kLeft, MouseKeyStatus::kDone},
        {"macro past the list", {0x70, 0x03, 0x00}, kLeft, MouseKeyStatus::kNoSuchMacro},
        {"repeat mode 4", {0x70, 0x00, 0x04}, kLeft, MouseKeyStatus::kNoSuchRepeatMode},
        {"macro 200 times", {0x71, 0x00, 200}, kLeft, MouseKeyStatus::kDone},
        {"counted macro past the list", {0x71, 0x03, 0x01}, kLeft, MouseKeyStatus::kNoSuchMacro},
        {"gun key 3", {0x72, 0x03, 0x00}, kLeft, MouseKeyStatus::kDone},
        {"gun key 4", {0x72, 0x04, 0x00}, kLeft, MouseKeyStatus::kNoSuchShootPattern},
        {"built-in GM on the left button", {0xA0, 0x1B, 0x00}, kLeft, MouseKeyStatus::kRefusedType},
        {"built-in GM as the button's own", {0xA0, 0x1B, 0x00}, {0xA0, 0x1B, 0x00}, MouseKeyStatus::kDone},
        {"vendor function as the button's own", {0x16, 0x90, 0x01}, {0x16, 0x90, 0x01}, MouseKeyStatus::kDone},
        {"vendor function elsewhere", {0x16, 0x90, 0x01}, kLeft, MouseKeyStatus::kRefusedType},
        {"keyboard M1", {0xD0, 0xA2, 0x01}, kLeft, MouseKeyStatus::kRefusedType},
        {"combination type", {0xB0, 0x00, 0x00}, kLeft, MouseKeyStatus::kRefusedType},
        {"type 0", {0x00, 0x00, 0x00}, kLeft, MouseKeyStatus::kRefusedType},
    };
    for (const AssignmentCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckMouseAssignment(c.assignment, c.buttonDefault, kMacros), c.expected);
    }
}

TEST(MouseKeyAssignmentTest, WithoutMacrosNoMacroCanBeAssigned) {
    EXPECT_EQ(CheckMouseAssignment({0x70, 0x00, 0x00}, kLeft, 0), MouseKeyStatus::kNoSuchMacro);
    EXPECT_EQ(CheckMouseAssignment({0x71, 0x00, 0x05}, kLeft, 0), MouseKeyStatus::kNoSuchMacro);
}

}  // namespace
}  // namespace morvek
