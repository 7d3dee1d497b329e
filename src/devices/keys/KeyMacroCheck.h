#pragma once
// Keys that play a macro name it by its number in the macro list. A profile may name a macro
// the list no longer holds (a profile imported from elsewhere, a macro list changed meanwhile);
// such keys go back to their default function.

#include <span>

#include "profiles/KeyListEntry.h"

namespace morvek {

// Returns every entry that plays a macro numbered macroCount or above to its default
// assignment. Returns the number of entries changed; when it is not 0 the caller stores the
// key list in the profile and refreshes the key labels.
int CheckMacroAssignments(std::span<KeyListEntry> keys, int macroCount);

}  // namespace morvek
