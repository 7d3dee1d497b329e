#pragma once
// The key assignment of a device model (the keyboard's keys, the mouse's buttons): the key list,
// storing the selected key's assignment, the profile file, and the key table written to the
// device. The key panel and the command line work through it, whatever the kind; the key is
// selected with the model's SelectKey.

#include <string>
#include <vector>

#include "devices/keys/KeyAssignmentStatus.h"
#include "devices/keys/KeyPanelState.h"
#include "profiles/KeyListEntry.h"

namespace morvek {

class IKeyAssignment {
public:
    virtual ~IKeyAssignment() = default;

    // One entry per key or button, in the order SelectKey numbers them.
    virtual std::vector<KeyListEntry> KeyList() const = 0;
    // The macro names a key may play, by macro number, as ReloadMacroList read them.
    virtual std::vector<std::string> MacroNames() const = 0;
    // Which pages the key panel offers for this kind.
    virtual KeyPanelDevice KeyPanelKind() const = 0;
    // The selected key's current function becomes entry's (its default stays) in the model and
    // the profile document, and the page shows it; nothing changes when refused. The file is
    // written by SaveProfileDocument, the device by WriteKeyAssignments.
    virtual KeyAssignmentStatus StoreKeyAssignment(const KeyListEntry& entry) = 0;
    // The profile document's file write; false when it failed or there is no document.
    virtual bool SaveProfileDocument() = 0;
    // Keys that play a macro the list no longer holds go back to their default (saved when any
    // changed).
    virtual void CheckMacroAssignments() = 0;

    // Device thread. The key table as the device reported it, with the slots of the known keys
    // set from keys; 1 on success, else the failing result (refused while no table was read).
    virtual int WriteKeyTable(int tableIndex, std::vector<KeyListEntry> keys) = 0;
    // WriteKeyTable with the model's key list.
    virtual int WriteKeyAssignments(int tableIndex) = 0;
};

}  // namespace morvek
