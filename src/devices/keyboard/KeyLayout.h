#pragma once
// Where each key of the matrix lives on the keyboard: its device key slot and its LED position,
// found in the key table and the per-slot LED table the keyboard reports. The keyboard keeps
// its keys in its own slot order; a key is found by its factory function, M1 is always slot 0.
//
// The layout also keeps the key table as read, so that a key table written back changes only
// the slots of keys the program knows and leaves every other slot as the device had it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "devices/keys/KeyIndex.h"
#include "profiles/KeyListEntry.h"

namespace morvek {

class KeyLayout {
public:
    static constexpr uint8_t kAbsent = 255;
    // Largest key table the keyboard's block transfer carries.
    static constexpr size_t kMaxKeyTableBytes = 512;

    // No tables read yet: every key is absent.
    KeyLayout();

    // Builds the maps from the tables as read: keyTable holds 3 bytes per slot, ledTable one
    // LED position per slot, slotCount is byte 5 of the device information record. Empty when
    // the slots would not fit the 512-byte block or keyTable is shorter than the slots (the
    // caller keeps its previous layout). Slots beyond the LED table have no LED.
    static std::optional<KeyLayout> FromDeviceTables(std::span<const uint8_t> keyTable,
                                                     std::span<const uint8_t> ledTable, int slotCount);

    // True once built from device tables.
    bool IsRead() const { return read_; }
    int SlotCount() const { return slotCount_; }
    // kAbsent for keys with no slot and for indexes outside the matrix.
    uint8_t SlotOf(int key) const;
    uint8_t LedOf(int key) const;
    const std::array<uint8_t, kKeyCount>& SlotMap() const { return slots_; }
    const std::array<uint8_t, kKeyCount>& LedMap() const { return leds_; }

    // The key table to write: the table as read with the slot of every mapped key replaced by
    // entry i's current assignment (i = the key's index in keys), 3 bytes per slot. Empty when
    // no table has been read, so an unread device is never overwritten with a blank table.
    std::vector<uint8_t> KeyTableImage(std::span<const KeyListEntry> keys) const;

private:
    std::array<uint8_t, kKeyCount> slots_;
    std::array<uint8_t, kKeyCount> leds_;
    std::vector<uint8_t> keyTable_;
    int slotCount_ = 0;
    bool read_ = false;
};

}  // namespace morvek
