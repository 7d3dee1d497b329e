#include "devices/keys/KeyMacroCheck.h"

#include "macros/MacroKeyFixup.h"

namespace morvek {

int CheckMacroAssignments(std::span<KeyListEntry> keys, int macroCount) {
    int changed = 0;
    for (KeyListEntry& key : keys) {
        if (IsMacroAssignment(key.current) && key.current.p1 >= macroCount && key.current != key.defaults) {
            key.current = key.defaults;
            ++changed;
        }
    }
    return changed;
}

}  // namespace morvek
