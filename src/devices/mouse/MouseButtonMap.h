#pragma once
// The mouse's ten logical buttons and where they sit in its key table. The table is 3 bytes
// per key slot in the firmware's own order; a button is found by the function the mouse holds
// for it when it leaves the factory.

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

#include "profiles/KeyAssignment.h"
#include "profiles/KeyListEntry.h"

namespace morvek {

class MouseButtonMap {
public:
    static constexpr size_t kButtonCount = 10;
    static constexpr uint8_t kNoSlot = 126;

    // The factory function of each logical button: left, right, middle, fifth, fourth, DPI
    // functions 1-3, and the two vendor functions.
    static const std::array<KeyAssignment, kButtonCount>& FactoryCodes();

    // Button j gets the lowest slot of table (slotCount slots of 3 bytes) holding its factory
    // code; buttons the table lacks get kNoSlot. Slots beyond the table's bytes are not looked at.
    static MouseButtonMap FromKeyTable(std::span<const uint8_t> table, size_t slotCount);

    uint8_t SlotOf(size_t button) const { return button < kButtonCount ? slots_[button] : kNoSlot; }
    // Logical button -> slot, as the model's key index map holds it.
    std::map<uint32_t, uint32_t> AsKeyIndexMap() const;

    bool operator==(const MouseButtonMap&) const = default;

private:
    std::array<uint8_t, kButtonCount> slots_{};
};

// The key table to write: table as read from the mouse, with the slot of every mapped button j
// that keys has an entry for replaced by that entry's assignment. Every other slot keeps what
// the mouse reported.
std::vector<uint8_t> MouseKeyTableImage(std::span<const uint8_t> table, const MouseButtonMap& map,
                                        std::span<const KeyListEntry> keys);

}  // namespace morvek
