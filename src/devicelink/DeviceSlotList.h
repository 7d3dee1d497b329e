#pragma once
// The live device list: one slot per row of the interface match table. The device monitor
// matches each enumerated path against the table and claims a free slot for it.
//
// Rows of different kinds may carry the same numbers (the wired mouse and the mouse pad). Such
// an interface goes to the kind its device names: the kind of a slot that already holds another
// collection of the same interface, else the kind the device reports in byte 0 of its
// information record, asked on its command collection. A device that names none of those kinds
// (or does not answer) takes the first free slot in table order.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "devicelink/DeviceTables.h"
#include "platform/hid/HidBackend.h"

namespace morvek {

// A DeviceEntry filled from the numbers of a path (vendor, product, interface, collection) and the path.
DeviceEntry EntryFromPath(const std::string& path);

class DeviceSlotList {
public:
    // Starts as a copy of the interface match table.
    DeviceSlotList();

    size_t Size() const;
    DeviceEntry Slot(size_t index) const;
    std::vector<DeviceEntry> Slots() const;

    // First-stage match on the path numbers: a table row and a free slot with the same
    // vendor id, product id, collection number and interface number, for a path no slot holds.
    bool IsCandidate(const DeviceEntry& entry) const;
    // Some slot is neither present nor holds a path.
    bool HasFreeSlot() const;
    // Second-stage match on the six numbers (with usage page and usage): copies kind and role
    // of the first matching row into entry, marks the first matching free slot present with
    // the entry's path and returns its index; -1 when nothing matches. With a kind, only rows
    // and slots of that kind count.
    int ClaimSlot(DeviceEntry& entry, std::optional<uint16_t> kind = std::nullopt);
    // For an interface whose six numbers rows of several kinds share: the kind its device
    // names (see above), found through backend. Nothing when the numbers are not shared or
    // nothing names one of those kinds.
    std::optional<uint16_t> DeviceKindOf(hid::IHidBackend& backend, const DeviceEntry& entry) const;
    // The slot's interface is gone: it becomes free again.
    void ReleaseSlot(size_t index);
    // The slot holds an interface whose numbers rows of several kinds share and whose device did
    // not name its kind (it did not answer): the slot's kind is the table order's guess.
    bool KindGuessed(size_t index) const;

    // Runs the whole match of one enumerated path: candidate check, probe open (read only,
    // shared), attributes and usage from the opened interface, the device's kind when its
    // numbers are shared, claim. Returns the slot or -1.
    int MatchPath(hid::IHidBackend& backend, const std::string& path);

private:
    static bool SameNumbers(const DeviceEntry& a, const DeviceEntry& b);
    static bool SameSixNumbers(const DeviceEntry& a, const DeviceEntry& b);
    static bool IsFree(const DeviceEntry& slot);
    // The kinds of the rows that carry the entry's six numbers.
    static std::vector<uint16_t> KindsSharing(const DeviceEntry& entry);
    // The slot holding another collection of the entry's interface, if its kind is one of kinds.
    std::optional<size_t> SiblingSlot(const DeviceEntry& entry, const std::vector<uint16_t>& kinds) const;

    mutable std::mutex mutex_;
    std::vector<DeviceEntry> slots_;
    std::vector<bool> kindGuessed_;  // per slot
};

}  // namespace morvek
