#include "devices/keys/KeyNameTable.h"

#include <array>

#include "devices/keys/KeyFunctionType.h"

namespace morvek {
namespace {

constexpr KeyNameRow Modifier(uint16_t vk, uint8_t bit, std::string_view label, uint8_t scan, bool extended) {
    return {vk, {kKeyTypeKeyboard, bit, 0}, label, scan, extended};
}
constexpr KeyNameRow Key(uint16_t vk, uint8_t usage, std::string_view label, uint8_t scan, bool extended) {
    return {vk, {kKeyTypeKeyboard, 0, usage}, label, scan, extended};
}
constexpr KeyNameRow Consumer(uint16_t vk, uint16_t usage, std::string_view label) {
    return {vk, {kKeyTypeConsumer, uint8_t(usage & 0xFF), uint8_t(usage >> 8)}, label, 0, false};
}
constexpr KeyNameRow System(uint16_t vk, uint8_t bit, std::string_view label) {
    return {vk, {kKeyTypeSystem, bit, 0}, label, 0, false};
}
constexpr KeyNameRow BuiltIn(KeyAssignment assignment, std::string_view label) {
    return {0, assignment, label, 0, false};
}
constexpr KeyAssignment MacroKey(uint8_t number) { return {kKeyTypeBuiltInMacro, 0xA2, number}; }

constexpr std::array<KeyNameRow, kKeyNameRows> kRows = {{
    Modifier(0xA2, kModifierLCtrl, "keyboard_key_LCtrl", 0x1D, false),
    Modifier(0xA0, kModifierLShift, "keyboard_key_LShift", 0x2A, false),
    Modifier(0xA4, kModifierLAlt, "keyboard_key_LAlt", 0x38, false),
    Modifier(0x5B, kModifierLWin, "keyboard_key_LWin", 0x5B, true),
    Modifier(0xA3, kModifierRCtrl, "keyboard_key_RCtrl", 0x1D, true),
    Modifier(0xA1, kModifierRShift, "keyboard_key_RShift", 0x36, true),
    Modifier(0xA5, kModifierRAlt, "keyboard_key_RAlt", 0x38, true),
    Modifier(0x5C, kModifierRWin, "keyboard_key_RWin", 0x5C, true),
    Key(0x41, 0x04, "keyboard_key_A", 0x1E, false),
    Key(0x42, 0x05, "keyboard_key_B", 0x30, false),
    Key(0x43, 0x06, "keyboard_key_C", 0x2E, false),
    Key(0x44, 0x07, "keyboard_key_D", 0x20, false),
    Key(0x45, 0x08, "keyboard_key_E", 0x12, false),
    Key(0x46, 0x09, "keyboard_key_F", 0x21, false),
    Key(0x47, 0x0A, "keyboard_key_G", 0x22, false),
    Key(0x48, 0x0B, "keyboard_key_H", 0x23, false),
    Key(0x49, 0x0C, "keyboard_key_I", 0x17, false),
    Key(0x4A, 0x0D, "keyboard_key_J", 0x24, false),
    Key(0x4B, 0x0E, "keyboard_key_K", 0x25, false),
    Key(0x4C, 0x0F, "keyboard_key_L", 0x26, false),
    Key(0x4D, 0x10, "keyboard_key_M", 0x32, false),
    Key(0x4E, 0x11, "keyboard_key_N", 0x31, false),
    Key(0x4F, 0x12, "keyboard_key_O", 0x18, false),
    Key(0x50, 0x13, "keyboard_key_P", 0x19, false),
    Key(0x51, 0x14, "keyboard_key_Q", 0x10, false),
    Key(0x52, 0x15, "keyboard_key_R", 0x13, false),
    Key(0x53, 0x16, "keyboard_key_S", 0x1F, false),
    Key(0x54, 0x17, "keyboard_key_T", 0x14, false),
    Key(0x55, 0x18, "keyboard_key_U", 0x16, false),
    Key(0x56, 0x19, "keyboard_key_V", 0x2F, false),
    Key(0x57, 0x1A, "keyboard_key_W", 0x11, false),
    Key(0x58, 0x1B, "keyboard_key_X", 0x2D, false),
    Key(0x59, 0x1C, "keyboard_key_Y", 0x15, false),
    Key(0x5A, 0x1D, "keyboard_key_Z", 0x2C, false),
    Key(0x31, 0x1E, "keyboard_key_1", 0x02, false),
    Key(0x32, 0x1F, "keyboard_key_2", 0x03, false),
    Key(0x33, 0x20, "keyboard_key_3", 0x04, false),
    Key(0x34, 0x21, "keyboard_key_4", 0x05, false),
    Key(0x35, 0x22, "keyboard_key_5", 0x06, false),
    Key(0x36, 0x23, "keyboard_key_6", 0x07, false),
    Key(0x37, 0x24, "keyboard_key_7", 0x08, false),
    Key(0x38, 0x25, "keyboard_key_8", 0x09, false),
    Key(0x39, 0x26, "keyboard_key_9", 0x0A, false),
    Key(0x30, 0x27, "keyboard_key_0", 0x0B, false),
    Key(0x0D, 0x28, "keyboard_key_Enter", 0x1C, false),
    Key(0x1B, 0x29, "keyboard_key_Esc", 0x01, false),
    Key(0x08, 0x2A, "keyboard_key_BackSpace", 0x0E, false),
    Key(0x09, 0x2B, "keyboard_key_Tab", 0x0F, false),
    Key(0x20, 0x2C, "keyboard_key_Space", 0x39, false),
    Key(0xBD, 0x2D, "keyboard_key_-", 0x0C, false),
    Key(0xBB, 0x2E, "keyboard_key_=", 0x0D, false),
    Key(0xDB, 0x2F, "keyboard_key_[", 0x1A, false),
    Key(0xDD, 0x30, "keyboard_key_]", 0x1B, false),
    Key(0xDC, 0x31, "keyboard_key_xiegang", 0x2B, false),
    Key(0xBA, 0x33, "keyboard_key_;", 0x27, false),
    Key(0xDE, 0x34, "keyboard_key_'", 0x28, false),
    Key(0xC0, 0x35, "keyboard_key_`", 0x29, false),
    Key(0xBC, 0x36, "keyboard_key_<", 0x33, false),
    Key(0xBE, 0x37, "keyboard_key_.", 0x34, false),
    Key(0xBF, 0x38, "keyboard_key_/", 0x35, false),
    Key(0x14, 0x39, "keyboard_key_Caplk", 0x3A, false),
    Key(0x70, 0x3A, "keyboard_key_F1", 0x3B, false),
    Key(0x71, 0x3B, "keyboard_key_F2", 0x3C, false),
    Key(0x72, 0x3C, "keyboard_key_F3", 0x3D, false),
    Key(0x73, 0x3D, "keyboard_key_F4", 0x3E, false),
    Key(0x74, 0x3E, "keyboard_key_F5", 0x3F, false),
    Key(0x75, 0x3F, "keyboard_key_F6", 0x40, false),
    Key(0x76, 0x40, "keyboard_key_F7", 0x41, false),
    Key(0x77, 0x41, "keyboard_key_F8", 0x42, false),
    Key(0x78, 0x42, "keyboard_key_F9", 0x43, false),
    Key(0x79, 0x43, "keyboard_key_F10", 0x44, false),
    Key(0x7A, 0x44, "keyboard_key_F11", 0x57, false),
    Key(0x7B, 0x45, "keyboard_key_F12", 0x58, false),
    Key(0x2C, 0x46, "keyboard_key_Print Scr", 0x37, true),
    Key(0x91, 0x47, "keyboard_key_Scroll Lock", 0x46, false),
    Key(0x13, 0x48, "keyboard_key_Pause", 0x45, false),
    Key(0x2D, 0x49, "keyboard_key_Insert", 0x52, true),
    Key(0x24, 0x4A, "keyboard_key_Home", 0x47, true),
    Key(0x21, 0x4B, "keyboard_key_Page Up", 0x49, true),
    Key(0x2E, 0x4C, "keyboard_key_Delete", 0x53, true),
    Key(0x23, 0x4D, "keyboard_key_End", 0x4F, true),
    Key(0x22, 0x4E, "keyboard_key_Page Down", 0x51, true),
    Key(0x27, 0x4F, "keyboard_key_Right", 0x4D, true),
    Key(0x25, 0x50, "keyboard_key_Left", 0x4B, true),
    Key(0x28, 0x51, "keyboard_key_Down", 0x50, true),
    Key(0x26, 0x52, "keyboard_key_Up", 0x48, true),
    Key(0x90, 0x53, "keyboard_key_Num Lock", 0x45, true),
    Key(0x6F, 0x54, "keyboard_key_Num /", 0x35, true),
    Key(0x6A, 0x55, "keyboard_key_Num *", 0x37, false),
    Key(0x6D, 0x56, "keyboard_key_Num -", 0x4A, false),
    Key(0x6B, 0x57, "keyboard_key_Num +", 0x4E, false),
    Key(0x101, 0x58, "keyboard_key_Num Enter", 0x1C, true),
    Key(0x61, 0x59, "keyboard_key_Num 1", 0x4F, false),
    Key(0x62, 0x5A, "keyboard_key_Num 2", 0x50, false),
    Key(0x63, 0x5B, "keyboard_key_Num 3", 0x51, false),
    Key(0x64, 0x5C, "keyboard_key_Num 4", 0x4B, false),
    Key(0x65, 0x5D, "keyboard_key_Num 5", 0x4C, false),
    Key(0x66, 0x5E, "keyboard_key_Num 6", 0x4D, false),
    Key(0x67, 0x5F, "keyboard_key_Num 7", 0x47, false),
    Key(0x68, 0x60, "keyboard_key_Num 8", 0x48, false),
    Key(0x69, 0x61, "keyboard_key_Num 9", 0x49, false),
    Key(0x60, 0x62, "keyboard_key_Num 0", 0x52, false),
    Key(0x6E, 0x63, "keyboard_key_Decimal", 0x53, false),
    Key(0x5D, 0x65, "keyboard_key_App", 0x5D, true),
    Key(0xE2, 0x64, "keyboard_key_K45", 0x56, false),
    Key(0xC1, 0x87, "keyboard_key_K56", 0x73, false),
    Key(0xFF, 0x89, "keyboard_key_K14", 0x7D, false),
    Key(0xC2, 0x85, "keyboard_key_K107", 0x7E, false),
    Key(0x1D, 0x8B, "keyboard_key_K131", 0x7B, false),
    Key(0x1C, 0x8A, "keyboard_key_K132", 0x79, false),
    Key(0x15, 0x88, "keyboard_key_K133", 0x70, false),
    Key(0x15, 0x90, "keyboard_key_K150", 0xF2, false),
    Key(0x19, 0x91, "keyboard_key_K151", 0xF1, false),
    Consumer(0xB7, 0x0192, "keyboard_key_Launch App2"),
    Consumer(0xAC, 0x0223, "keyboard_key_Browaer Home"),
    Consumer(0xB3, 0x00CD, "keyboard_key_Media Play Pause"),
    Consumer(0xAA, 0x0221, "keyboard_key_Browser Search"),
    Consumer(0xB4, 0x018A, "keyboard_key_Launch Mail"),
    Consumer(0xAF, 0x00E9, "keyboard_key_Volume Up"),
    Consumer(0xAD, 0x00E2, "keyboard_key_Volume Mute"),
    Consumer(0xB2, 0x00B7, "keyboard_key_Media Stop"),
    Consumer(0xAE, 0x00EA, "keyboard_key_Volume Down"),
    Consumer(0xAB, 0x022A, "keyboard_key_Browser Favorites"),
    Consumer(0xA7, 0x0225, "keyboard_key_Browser ForWard"),
    Consumer(0xA6, 0x0224, "keyboard_key_Browser Back"),
    Consumer(0xB1, 0x00B6, "keyboard_key_Media Prev Track"),
    Consumer(0xB0, 0x00B5, "keyboard_key_Media Next Track"),
    Consumer(0xB6, 0x0194, "keyboard_key_Computer"),
    Consumer(0xA8, 0x0227, "keyboard_key_Browser Refresh"),
    Consumer(0xA9, 0x0226, "wed_stop"),
    Consumer(0xB5, 0x0183, "keyboard_key_Launch Media Select"),
    System(0x103, 0x01, "keyboard_key_Power"),
    System(0x104, 0x02, "keyboard_key_Sleep"),
    System(0x105, 0x04, "keyboard_key_Wakeup"),
    BuiltIn(MacroKey(1), "keyboard_key_M1"),
    BuiltIn(MacroKey(2), "keyboard_key_M2"),
    BuiltIn(MacroKey(3), "keyboard_key_M3"),
    BuiltIn(MacroKey(4), "keyboard_key_M4"),
    BuiltIn(MacroKey(5), "keyboard_key_M5"),
    BuiltIn({kKeyTypeBuiltIn, 0x01, 0}, "keyboard_key_FN"),
    BuiltIn({kKeyTypeBuiltIn, 0x1B, 0}, "keyboard_key_GM"),
    BuiltIn(MacroKey(6), "keyboard_key_M6"),
}};

}  // namespace

std::span<const KeyNameRow, kKeyNameRows> KeyNameTable() { return kRows; }

std::span<const KeyNameRow, kKeyCaptureRows> KeyCaptureTable() { return KeyNameTable().first<kKeyCaptureRows>(); }

std::optional<size_t> FindCaptureRow(uint8_t scanCode, bool extended) {
    const auto rows = KeyCaptureTable();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].scanCode == scanCode && rows[i].extended == extended) return i;
    }
    return std::nullopt;
}

std::optional<size_t> FindModifierRow(uint8_t bits) {
    const KeyAssignment wanted{kKeyTypeKeyboard, bits, 0};
    for (size_t i = 0; i < kModifierRows; ++i) {
        if (kRows[i].assignment == wanted) return i;
    }
    return std::nullopt;
}

std::optional<size_t> FindKeyRow(uint8_t usage) {
    const KeyAssignment wanted{kKeyTypeKeyboard, 0, usage};
    for (size_t i = kModifierRows; i < kRows.size(); ++i) {
        if (kRows[i].assignment == wanted) return i;
    }
    return std::nullopt;
}

}  // namespace morvek
