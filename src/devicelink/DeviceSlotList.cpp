#include "devicelink/DeviceSlotList.h"

#include <algorithm>

#include "devicelink/DevicePath.h"
#include "devicelink/HidInterfaceHandle.h"

namespace morvek {

DeviceEntry EntryFromPath(const std::string& path) {
    DeviceEntry e;
    e.vendorId = ParsePathNumber(path, "vid_");
    e.productId = ParsePathNumber(path, "pid_");
    e.interfaceNumber = ParsePathNumber(path, "&mi_");
    e.collectionNumber = ParsePathNumber(path, "&col");
    e.path = path;
    return e;
}

DeviceSlotList::DeviceSlotList() {
    const auto table = InterfaceMatchTable();
    slots_.assign(table.begin(), table.end());
}

size_t DeviceSlotList::Size() const {
    std::lock_guard lock(mutex_);
    return slots_.size();
}

DeviceEntry DeviceSlotList::Slot(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < slots_.size() ? slots_[index] : DeviceEntry{};
}

std::vector<DeviceEntry> DeviceSlotList::Slots() const {
    std::lock_guard lock(mutex_);
    return slots_;
}

bool DeviceSlotList::SameNumbers(const DeviceEntry& a, const DeviceEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.collectionNumber == b.collectionNumber &&
           a.interfaceNumber == b.interfaceNumber;
}

bool DeviceSlotList::SameSixNumbers(const DeviceEntry& a, const DeviceEntry& b) {
    return SameNumbers(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

bool DeviceSlotList::IsFree(const DeviceEntry& slot) { return slot.present == 0 && slot.path.empty(); }

bool DeviceSlotList::IsCandidate(const DeviceEntry& entry) const {
    const auto table = InterfaceMatchTable();
    const bool inTable =
        std::any_of(table.begin(), table.end(), [&](const DeviceEntry& row) { return SameNumbers(row, entry); });
    if (!inTable) return false;
    std::lock_guard lock(mutex_);
    // An interface a slot holds already is not claimed a second time: the mouse and the pad
    // rows have the same numbers, so a mouse would otherwise also fill the free pad slots.
    if (!entry.path.empty() &&
        std::any_of(slots_.begin(), slots_.end(), [&](const DeviceEntry& slot) { return slot.path == entry.path; }))
        return false;
    return std::any_of(slots_.begin(), slots_.end(),
                       [&](const DeviceEntry& slot) { return SameNumbers(slot, entry) && IsFree(slot); });
}

bool DeviceSlotList::HasFreeSlot() const {
    std::lock_guard lock(mutex_);
    return std::any_of(slots_.begin(), slots_.end(), IsFree);
}

int DeviceSlotList::ClaimSlot(DeviceEntry& entry) {
    const auto table = InterfaceMatchTable();
    const auto row =
        std::find_if(table.begin(), table.end(), [&](const DeviceEntry& r) { return SameSixNumbers(r, entry); });
    if (row == table.end()) return -1;
    entry.kind = row->kind;
    entry.role = row->role;

    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < slots_.size(); ++i) {
        DeviceEntry& slot = slots_[i];
        if (SameSixNumbers(slot, entry) && IsFree(slot)) {
            slot.present = 1;
            slot.path = entry.path;
            return static_cast<int>(i);
        }
    }
    return -1;
}

void DeviceSlotList::ReleaseSlot(size_t index) {
    std::lock_guard lock(mutex_);
    if (index >= slots_.size()) return;
    slots_[index].present = 0;
    slots_[index].path.clear();
}

int DeviceSlotList::MatchPath(hid::IHidBackend& backend, const std::string& path) {
    DeviceEntry entry = EntryFromPath(path);
    if (!IsCandidate(entry)) return -1;

    HidInterfaceHandle probe(backend);
    if (!probe.Open(path, true, false, true, false)) return -1;
    const HidAttributes attributes = probe.Attributes();
    const HidCaps caps = probe.Caps();
    entry.vendorId = attributes.vendorId;
    entry.productId = attributes.productId;
    entry.usagePage = caps.usagePage;
    entry.usage = caps.usage;
    const int slot = ClaimSlot(entry);
    probe.Close();
    return slot;
}

}  // namespace morvek
