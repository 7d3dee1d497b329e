#pragma once
// The key assignment panel's logic over its plain state: showing an assignment on the panel,
// building an assignment from what the panel shows, and capturing a pressed key. The page
// copies its controls into the state before building and shows the state afterwards; a commit
// is BuildAssignmentFromPanel followed by storing its result in the key list.

#include <cstdint>
#include <string_view>

#include "devices/keys/KeyPanelState.h"

namespace morvek {

// Whether the device's function list has an item for page.
bool PanelOffersPage(KeyPanelDevice device, int page);

// Decimal value of an edit's text; text that is not a number counts as 0.
int64_t EditNumber(std::string_view text);

// Holds the selected key's entry and shows its current half.
void HoldEntry(KeyPanelState& panel, const KeyListEntry& entry);

// Shows assignment (the held current or default half) on the panel: its page, the list items
// and edits of that page. An assignment equal to the held default shows the default page. A
// function the device's list does not offer hides the panel's layout. A keyboard key whose
// usage has no name is shown as, and held as, the disabled key.
void ShowAssignment(KeyPanelState& panel, const KeyAssignment& assignment);

// The held entry with its current half built from the panel; the panel holds the result too.
// A page whose list has no valid item selected keeps the held current half.
KeyListEntry BuildAssignmentFromPanel(KeyPanelState& panel);

// An item of the function list was selected: the tab follows it; the keyboard page starts
// empty (no key, no modifier). The caller commits afterwards.
void SelectFunctionPage(KeyPanelState& panel, int page);

// An item of the macro repeat list was selected: the count edit shows only for the "given
// number of times" item. The caller commits afterwards.
void SelectMacroRepeat(KeyPanelState& panel, int item);

// A key pressed while the keyboard key edit has the focus. A modifier selects its option (left
// and right keys alike) and empties the key; another key sets the key and keeps the modifier.
// Returns true when the caller must commit; keys the panel cannot name are ignored.
bool CaptureKey(KeyPanelState& panel, uint8_t scanCode, bool extended);

}  // namespace morvek
