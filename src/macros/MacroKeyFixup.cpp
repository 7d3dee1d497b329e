#include "macros/MacroKeyFixup.h"

#include <algorithm>

namespace morvek {

bool IsMacroAssignment(const KeyAssignment& assignment) {
    return assignment.type == kKeyTypeMacroRepeatMode || assignment.type == kKeyTypeMacroRepeatCount;
}

int CountKeysBoundToMacro(std::span<const KeyListEntry> keys, int macro) {
    return static_cast<int>(std::count_if(keys.begin(), keys.end(), [&](const KeyListEntry& k) {
        return IsMacroAssignment(k.current) && k.current.p1 == macro;
    }));
}

int FixKeysForDeletedMacro(std::span<KeyListEntry> keys, int deleted) {
    int changed = 0;
    for (KeyListEntry& key : keys) {
        if (!IsMacroAssignment(key.current)) continue;
        if (key.current.p1 == deleted) {
            key.current = key.defaults;
            ++changed;
        } else if (key.current.p1 > deleted) {
            --key.current.p1;
            ++changed;
        }
    }
    return changed;
}

}  // namespace morvek
