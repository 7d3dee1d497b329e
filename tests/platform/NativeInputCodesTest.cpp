#include <gtest/gtest.h>

#include "platform/hook/NativeInputCodes.h"

namespace morvek::hook {
namespace {

TEST(NativeInputCodesTest, KeycodesBecomeTheScanCodesOfTheCaptureTable) {
    struct Case {
        uint32_t keycode;  // X keycode: Linux input code + 8
        std::optional<ScanCode> scan;
    } cases[] = {
        {9, ScanCode{0x01, false}},    // Esc
        {38, ScanCode{0x1E, false}},   // A
        {50, ScanCode{0x2A, false}},   // left Shift
        {37, ScanCode{0x1D, false}},   // left Ctrl
        {105, ScanCode{0x1D, true}},   // right Ctrl
        {64, ScanCode{0x38, false}},   // left Alt
        {108, ScanCode{0x38, true}},   // right Alt
        {36, ScanCode{0x1C, false}},   // Enter
        {104, ScanCode{0x1C, true}},   // keypad Enter
        {77, ScanCode{0x45, true}},    // Num Lock
        {127, ScanCode{0x45, false}},  // Pause
        {66, ScanCode{0x3A, false}},   // Caps Lock
        {79, ScanCode{0x47, false}},   // keypad 7
        {110, ScanCode{0x47, true}},   // Home
        {111, ScanCode{0x48, true}},   // Up
        {118, ScanCode{0x52, true}},   // Insert
        {107, ScanCode{0x37, true}},   // Print Screen
        {63, ScanCode{0x37, false}},   // keypad *
        {106, ScanCode{0x35, true}},   // keypad /
        {133, ScanCode{0x5B, true}},   // left Win
        {134, ScanCode{0x5C, true}},   // right Win
        {135, ScanCode{0x5D, true}},   // Menu
        {94, ScanCode{0x56, false}},   // the key left of Z on ISO keyboards
        {95, ScanCode{0x57, false}},   // F11
        {96, ScanCode{0x58, false}},   // F12
        {97, ScanCode{0x73, false}},   // RO
        {132, ScanCode{0x7D, false}},  // Yen
        {130, ScanCode{0xF2, false}},  // Hangul
        {93, ScanCode{0x76, false}},   // Zenkaku / Hankaku
        {92, std::nullopt},            // Linux code 84 names no key
        {8, std::nullopt},
        {0, std::nullopt},
        {121, std::nullopt},           // mute: a media key, not a keyboard key
        {300, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ScanCodeOfNativeKey(c.keycode), c.scan) << c.keycode;
}

TEST(NativeInputCodesTest, XButtonsBecomeButtonBits) {
    const int bits[] = {0, 0x01, 0x04, 0x02, 0, 0, 0, 0, 0x08, 0x10, 0};
    for (uint32_t button = 0; button < std::size(bits); ++button) EXPECT_EQ(ButtonBitOfXButton(button), bits[button]) << button;
}

}  // namespace
}  // namespace morvek::hook
