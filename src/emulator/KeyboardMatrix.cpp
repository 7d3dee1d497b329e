#include "emulator/KeyboardMatrix.h"

#include <algorithm>

namespace morvek::emulator {

namespace {

constexpr int kColumns = 21;
constexpr int kRows = 6;

constexpr KeyFunction Key(uint8_t usage) { return {0x20, 0x00, usage}; }
constexpr KeyFunction Modifier(uint8_t bit) { return {0x20, bit, 0x00}; }
constexpr KeyFunction BuiltIn(uint8_t code) { return {0xA0, code, 0x00}; }
constexpr KeyFunction MacroKey(uint8_t number) { return {0xD0, 0xA2, number}; }
constexpr KeyFunction kNone = Key(0x00);

constexpr std::array<KeyFunction, kMatrixKeys> kFactory = {
    // Row 0: Esc, F1-F12, Print Screen, Scroll Lock, Pause, GM, unlabeled built-in key.
    Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E), Key(0x3F), Key(0x40), Key(0x41),
    Key(0x42), Key(0x43), Key(0x44), Key(0x45), Key(0x46), Key(0x47), Key(0x48), BuiltIn(0x1B), BuiltIn(0x24),
    kNone, kNone, kNone,
    // Row 1: `, 1-9, 0, -, =, Backspace, Insert, Home, Page Up, Num Lock, keypad / * -.
    Key(0x35), Key(0x1E), Key(0x1F), Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24), Key(0x25),
    Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49), Key(0x4A), Key(0x4B), Key(0x53),
    Key(0x54), Key(0x55), Key(0x56),
    // Row 2: Tab, Q-P, [, ], \, Delete, End, Page Down, keypad 7 8 9.
    Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17), Key(0x1C), Key(0x18), Key(0x0C),
    Key(0x12), Key(0x13), Key(0x2F), Key(0x30), Key(0x31), Key(0x4C), Key(0x4D), Key(0x4E), Key(0x5F),
    Key(0x60), Key(0x61), kNone,
    // Row 3: Caps Lock, A-L, ;, ', Enter, keypad 4 5 6, international keys.
    Key(0x39), Key(0x04), Key(0x16), Key(0x07), Key(0x09), Key(0x0A), Key(0x0B), Key(0x0D), Key(0x0E),
    Key(0x0F), Key(0x33), Key(0x34), Key(0x28), Key(0x5C), Key(0x5D), Key(0x5E), Key(0x8A), Key(0x8B),
    Key(0x90), Key(0x91), Key(0x88),
    // Row 4: LShift, Z-M, comma, period, /, RShift, Up, keypad 1 2 3, international keys, M6.
    Modifier(0x02), Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05), Key(0x11), Key(0x10),
    Key(0x36), Key(0x37), Key(0x38), Modifier(0x20), Key(0x52), Key(0x59), Key(0x5A), Key(0x5B), Key(0x87),
    Key(0x89), Key(0x64), Key(0x85), MacroKey(6),
    // Row 5: LCtrl, LWin, LAlt, Space, RAlt, FN, Application, RCtrl, arrows, keypad 0 . Enter +, M1-M5, RWin.
    Modifier(0x01), Modifier(0x08), Modifier(0x04), Key(0x2C), Modifier(0x40), BuiltIn(0x01), Key(0x65),
    Modifier(0x10), Key(0x50), Key(0x51), Key(0x4F), Key(0x62), Key(0x63), Key(0x58), Key(0x57),
    MacroKey(1), MacroKey(2), MacroKey(3), MacroKey(4), MacroKey(5), Modifier(0x80),
};

// M1-M5 and M6 by matrix index.
constexpr std::array<uint8_t, 6> kMacroKeyIndexes = {120, 121, 122, 123, 124, 104};

std::array<uint8_t, kMatrixKeys> BuildSlotOrder() {
    std::array<uint8_t, kMatrixKeys> order{};
    size_t slot = 0;
    for (uint8_t index : kMacroKeyIndexes) {
        order[slot++] = index;
    }
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            const auto index = static_cast<uint8_t>(row * kColumns + column);
            if (std::find(kMacroKeyIndexes.begin(), kMacroKeyIndexes.end(), index) == kMacroKeyIndexes.end()) {
                order[slot++] = index;
            }
        }
    }
    return order;
}

}  // namespace

const std::array<KeyFunction, kMatrixKeys>& FactoryKeyFunctions() { return kFactory; }

const std::array<uint8_t, kMatrixKeys>& SlotMatrixIndex() {
    static const std::array<uint8_t, kMatrixKeys> order = BuildSlotOrder();
    return order;
}

}  // namespace morvek::emulator
