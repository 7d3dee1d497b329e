#pragma once
// One element of a device's key list, in key-index order: the key's current assignment and
// its factory default. The two index words only repeat the entry's position.

#include <cstdint>

#include "profiles/KeyAssignment.h"

namespace morvek {

struct KeyListEntry {
    uint16_t index = 0;
    KeyAssignment current;
    uint16_t defaultIndex = 0;
    KeyAssignment defaults;

    bool operator==(const KeyListEntry&) const = default;
};

}  // namespace morvek
