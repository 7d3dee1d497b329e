#include "devices/keys/KeyDefaultTable.h"

#include "devices/keys/KeyFunctionType.h"

namespace morvek {
namespace {

constexpr KeyAssignment Key(uint8_t usage) { return {kKeyTypeKeyboard, 0, usage}; }
constexpr KeyAssignment Modifier(uint8_t bit) { return {kKeyTypeKeyboard, bit, 0}; }
constexpr KeyAssignment BuiltIn(uint8_t code) { return {kKeyTypeBuiltIn, code, 0}; }
constexpr KeyAssignment MacroKey(uint8_t number) { return {kKeyTypeBuiltInMacro, 0xA2, number}; }
constexpr KeyAssignment kEmpty = Key(0);

constexpr std::array<KeyAssignment, kKeyCount> kDefaults = {
    // Row 0: Esc, F1-F12, Print Screen, Scroll Lock, Pause, GM, the unlabelled built-in key.
    Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E), Key(0x3F), Key(0x40), Key(0x41),
    Key(0x42), Key(0x43), Key(0x44), Key(0x45), Key(0x46), Key(0x47), Key(0x48), BuiltIn(0x1B),
    BuiltIn(0x24), kEmpty, kEmpty, kEmpty,
    // Row 1: `, 1-9, 0, -, =, Backspace, Insert, Home, Page Up, Num Lock, keypad / * -.
    Key(0x35), Key(0x1E), Key(0x1F), Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24), Key(0x25),
    Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49), Key(0x4A), Key(0x4B), Key(0x53),
    Key(0x54), Key(0x55), Key(0x56),
    // Row 2: Tab, Q-P, [, ], \, Delete, End, Page Down, keypad 7 8 9.
    Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17), Key(0x1C), Key(0x18), Key(0x0C),
    Key(0x12), Key(0x13), Key(0x2F), Key(0x30), Key(0x31), Key(0x4C), Key(0x4D), Key(0x4E), Key(0x5F),
    Key(0x60), Key(0x61), kEmpty,
    // Row 3: Caps Lock, A-L, ;, ', Enter, keypad 4 5 6, international keys.
    Key(0x39), Key(0x04), Key(0x16), Key(0x07), Key(0x09), Key(0x0A), Key(0x0B), Key(0x0D), Key(0x0E),
    Key(0x0F), Key(0x33), Key(0x34), Key(0x28), Key(0x5C), Key(0x5D), Key(0x5E), Key(0x8A), Key(0x8B),
    Key(0x90), Key(0x91), Key(0x88),
    // Row 4: LShift, Z-M, comma, period, /, RShift, Up, keypad 1 2 3, international keys, M6.
    Modifier(kModifierLShift), Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05), Key(0x11),
    Key(0x10), Key(0x36), Key(0x37), Key(0x38), Modifier(kModifierRShift), Key(0x52), Key(0x59),
    Key(0x5A), Key(0x5B), Key(0x87), Key(0x89), Key(0x64), Key(0x85), MacroKey(6),
    // Row 5: LCtrl, LWin, LAlt, Space, RAlt, FN, Application, RCtrl, Left, Down, Right,
    // keypad 0 . Enter +, M1-M5, RWin.
    Modifier(kModifierLCtrl), Modifier(kModifierLWin), Modifier(kModifierLAlt), Key(0x2C),
    Modifier(kModifierRAlt), BuiltIn(0x01), Key(0x65), Modifier(kModifierRCtrl), Key(0x50), Key(0x51),
    Key(0x4F), Key(0x62), Key(0x63), Key(0x58), Key(0x57), MacroKey(1), MacroKey(2), MacroKey(3),
    MacroKey(4), MacroKey(5), Modifier(kModifierRWin),
};

}  // namespace

const std::array<KeyAssignment, kKeyCount>& DefaultKeyTable() { return kDefaults; }

}  // namespace morvek
