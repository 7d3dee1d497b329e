#pragma once
// The keys the program can name: per row the virtual-key word, the assignment and the label id
// (a language-resource key the view translates). Rows 0-7 are the modifiers, rows 8-112 the
// plain keys, then consumer controls, system controls and the built-in keys.
//
// The first 113 rows form the capture table: the keys a key event can select, found by their
// PC scan code (set 1 make code) and extended-key flag.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "profiles/KeyAssignment.h"

namespace morvek {

struct KeyNameRow {
    uint16_t virtualKey = 0;  // 0xFF: no virtual key; 0x101 keypad Enter; 0 built-in keys
    KeyAssignment assignment;
    std::string_view label;
    uint8_t scanCode = 0;  // capture rows only
    bool extended = false;
};

inline constexpr size_t kKeyNameRows = 142;
inline constexpr size_t kKeyCaptureRows = 113;
inline constexpr size_t kModifierRows = 8;

std::span<const KeyNameRow, kKeyNameRows> KeyNameTable();
std::span<const KeyNameRow, kKeyCaptureRows> KeyCaptureTable();

// The first capture row with this scan code and extended flag.
std::optional<size_t> FindCaptureRow(uint8_t scanCode, bool extended);
// The first of the modifier rows whose single bit is `bits`.
std::optional<size_t> FindModifierRow(uint8_t bits);
// The first plain key row (from row 8 on, no modifier) with this HID usage.
std::optional<size_t> FindKeyRow(uint8_t usage);

}  // namespace morvek
