#pragma once
// Keys bound to macros refer to them by number (the position in the macro list), so deleting a
// macro moves the numbers of the macros after it. Device pages and the command line run this
// fix-up over a key list before the macro is removed.

#include <cstdint>
#include <span>

#include "profiles/KeyListEntry.h"

namespace morvek {

// Key assignment types that play a macro; parameter 1 is the macro number.
inline constexpr uint8_t kKeyTypeMacroRepeatMode = 0x70;
inline constexpr uint8_t kKeyTypeMacroRepeatCount = 0x71;

bool IsMacroAssignment(const KeyAssignment& assignment);

// The number of keys that currently play macro number `macro` (the user is asked before
// deleting a macro that keys play).
int CountKeysBoundToMacro(std::span<const KeyListEntry> keys, int macro);

// After macro `deleted` is removed: keys that played it return to their default assignment,
// keys that played a later macro follow it down by one. Returns the number of entries changed.
int FixKeysForDeletedMacro(std::span<KeyListEntry> keys, int deleted);

}  // namespace morvek
