#include "devices/mouse/MouseKeyAssignment.h"

#include <gtest/gtest.h>

namespace morvek {
namespace {

struct AssignmentCase {
    const char* what;
    KeyAssignment assignment;
    KeyAssignment buttonDefault;
    KeyAssignmentStatus expected;
};

// With three macros in the list (numbers 0-2).
constexpr size_t kMacros = 3;
constexpr KeyAssignment kLeft{0x10, 0x01, 0x00};

TEST(MouseKeyAssignmentTest, PanelFunctionsAndTheButtonsOwnDefaultAreTaken) {
    const AssignmentCase cases[] = {
        {"mouse button", {0x10, 0x02, 0x00}, kLeft, KeyAssignmentStatus::kDone},
        {"swing", {0x11, 0x35, 0x82}, kLeft, KeyAssignmentStatus::kDone},
        {"wheel down 3", {0x12, 0x11, 0xFD}, kLeft, KeyAssignmentStatus::kDone},
        {"DPI cycle", {0x13, 0x03, 0x00}, kLeft, KeyAssignmentStatus::kDone},
        {"DPI function 4", {0x13, 0x04, 0x00}, kLeft, KeyAssignmentStatus::kNoSuchDpiFunction},
        {"DPI function 0", {0x13, 0x00, 0x00}, kLeft, KeyAssignmentStatus::kNoSuchDpiFunction},
        {"rapid fire", {0x14, 0xFF, 0xFF}, kLeft, KeyAssignmentStatus::kDone},
        {"Ctrl+O", {0x20, 0x01, 0x12}, kLeft, KeyAssignmentStatus::kDone},
        {"disabled key", {0x20, 0x00, 0x00}, kLeft, KeyAssignmentStatus::kDone},
        {"play/pause", {0x30, 0xCD, 0x00}, kLeft, KeyAssignmentStatus::kDone},
        {"sleep", {0x40, 0x02, 0x00}, kLeft, KeyAssignmentStatus::kDone},
        {"last macro, repeat mode 3", {0x70, 0x02, 0x03}, kLeft, KeyAssignmentStatus::kDone},
        {"macro past the list", {0x70, 0x03, 0x00}, kLeft, KeyAssignmentStatus::kNoSuchMacro},
        {"repeat mode 4", {0x70, 0x00, 0x04}, kLeft, KeyAssignmentStatus::kNoSuchRepeatMode},
        {"macro 200 times", {0x71, 0x00, 200}, kLeft, KeyAssignmentStatus::kDone},
        {"counted macro past the list", {0x71, 0x03, 0x01}, kLeft, KeyAssignmentStatus::kNoSuchMacro},
        {"gun key 3", {0x72, 0x03, 0x00}, kLeft, KeyAssignmentStatus::kDone},
        {"gun key 4", {0x72, 0x04, 0x00}, kLeft, KeyAssignmentStatus::kNoSuchShootPattern},
        {"built-in GM on the left button", {0xA0, 0x1B, 0x00}, kLeft, KeyAssignmentStatus::kRefusedType},
        {"built-in GM as the button's own", {0xA0, 0x1B, 0x00}, {0xA0, 0x1B, 0x00}, KeyAssignmentStatus::kDone},
        {"vendor function as the button's own", {0x16, 0x90, 0x01}, {0x16, 0x90, 0x01}, KeyAssignmentStatus::kDone},
        {"vendor function elsewhere", {0x16, 0x90, 0x01}, kLeft, KeyAssignmentStatus::kRefusedType},
        {"keyboard M1", {0xD0, 0xA2, 0x01}, kLeft, KeyAssignmentStatus::kRefusedType},
        {"combination type", {0xB0, 0x00, 0x00}, kLeft, KeyAssignmentStatus::kRefusedType},
        {"type 0", {0x00, 0x00, 0x00}, kLeft, KeyAssignmentStatus::kRefusedType},
    };
    for (const AssignmentCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CheckMouseAssignment(c.assignment, c.buttonDefault, kMacros), c.expected);
    }
}

TEST(MouseKeyAssignmentTest, WithoutMacrosNoMacroCanBeAssigned) {
    EXPECT_EQ(CheckMouseAssignment({0x70, 0x00, 0x00}, kLeft, 0), KeyAssignmentStatus::kNoSuchMacro);
    EXPECT_EQ(CheckMouseAssignment({0x71, 0x00, 0x05}, kLeft, 0), KeyAssignmentStatus::kNoSuchMacro);
}

}  // namespace
}  // namespace morvek
