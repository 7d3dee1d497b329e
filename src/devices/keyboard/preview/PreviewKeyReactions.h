#pragma once
// How the keyboard preview reacts to keys pressed on the keyboard: the ripple modes start a
// ripple at the key, mode 5 lights the key, mode 20 lights the key and its neighbourhood.
// Call under the model's LED lock.

#include <cstdint>
#include <optional>
#include <span>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/preview/KeyboardPreviewState.h"
#include "devices/keys/KeyIndex.h"

namespace morvek {

enum class KeyEventKind : uint8_t { Press = 1, Release = 2 };

// The first key whose device slot (slotMap, one entry per KeyIndex) is slot; none for a slot
// no key maps to. Keys without a slot (255 in the map) never match.
std::optional<KeyIndex> FindKeyOfSlot(std::span<const uint8_t> slotMap, int slot);

// A key event from the keyboard (device slot, 1 press or 2 release): a press reacts as a press
// followed at once by a release. Unknown slots and kinds are ignored.
void OnDeviceKeyEvent(LightEngine& engine, KeyboardPreviewState& state, std::span<const uint8_t> slotMap, int slot,
                      int kind);
// The current mode's reaction to a press or release of key.
void ReactToKey(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key, KeyEventKind kind);

// Mode 5: the key is held (press) or released, at full brightness.
void SetKeyState(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key, KeyEventKind kind);
// Mode 20: a press lights the key and brightens its neighbours in ColumnTableA; a release lets
// the neighbours go that no other pressed key holds. Keys not in the grid do nothing.
void PressNeighbourhood(LightEngine& engine, KeyboardPreviewState& state, KeyIndex key, KeyEventKind kind);
// True when a pressed key other than key stands at (column, row) or one of its neighbours.
bool HasPressedNeighbour(const KeyboardPreviewState& state, int column, int row, KeyIndex key);

}  // namespace morvek
