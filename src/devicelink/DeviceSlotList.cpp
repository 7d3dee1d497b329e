#include "devicelink/DeviceSlotList.h"

#include <algorithm>

#include "devicelink/DevicePath.h"
#include "devicelink/HidChannel.h"
#include "devicelink/HidInterfaceHandle.h"

namespace morvek {
namespace {

// Byte 0 of the information record the device answers on its command collection.
std::optional<uint16_t> AskDeviceKind(hid::IHidBackend& backend, const std::string& commandPath) {
    CHidChannel channel(backend);
    if (!channel.Open(commandPath)) return std::nullopt;
    DeviceInfoRecord record;
    const int result = channel.ReadDeviceInfo(record);
    channel.Close();
    if (result != kResultSuccess) return std::nullopt;
    return record.DeviceSpecific();
}

}  // namespace

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
    kindGuessed_.assign(slots_.size(), false);
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

int DeviceSlotList::ClaimSlot(DeviceEntry& entry, std::optional<uint16_t> kind) {
    const auto ofKind = [&](const DeviceEntry& e) { return !kind || e.kind == *kind; };
    const auto table = InterfaceMatchTable();
    const auto row = std::find_if(table.begin(), table.end(),
                                  [&](const DeviceEntry& r) { return SameSixNumbers(r, entry) && ofKind(r); });
    if (row == table.end()) return -1;
    entry.kind = row->kind;
    entry.role = row->role;

    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < slots_.size(); ++i) {
        DeviceEntry& slot = slots_[i];
        if (SameSixNumbers(slot, entry) && ofKind(slot) && IsFree(slot)) {
            slot.present = 1;
            slot.path = entry.path;
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<size_t> DeviceSlotList::SiblingSlot(const DeviceEntry& entry, const std::vector<uint16_t>& kinds) const {
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < slots_.size(); ++i) {
        const DeviceEntry& slot = slots_[i];
        if (slot.present == 0 || slot.path.empty() || slot.path == entry.path) continue;
        if (std::find(kinds.begin(), kinds.end(), slot.kind) == kinds.end()) continue;
        if (PathWithCollection(slot.path, entry.collectionNumber) == entry.path) return i;
    }
    return std::nullopt;
}

std::vector<uint16_t> DeviceSlotList::KindsSharing(const DeviceEntry& entry) {
    std::vector<uint16_t> kinds;
    for (const DeviceEntry& row : InterfaceMatchTable()) {
        if (SameSixNumbers(row, entry) && std::find(kinds.begin(), kinds.end(), row.kind) == kinds.end())
            kinds.push_back(row.kind);
    }
    return kinds;
}

std::optional<uint16_t> DeviceSlotList::DeviceKindOf(hid::IHidBackend& backend, const DeviceEntry& entry) const {
    const std::vector<uint16_t> kinds = KindsSharing(entry);
    if (kinds.size() < 2) return std::nullopt;
    if (const auto sibling = SiblingSlot(entry, kinds)) return Slot(*sibling).kind;
    // The command collection of the first kind's device stands for the interface.
    const int commandRow = FindMatchRow(entry.vendorId, entry.productId, kinds.front(), kRoleCommand);
    if (commandRow < 0) return std::nullopt;
    const auto commandPath =
        PathWithCollection(entry.path, InterfaceMatchTable()[static_cast<size_t>(commandRow)].collectionNumber);
    if (!commandPath) return std::nullopt;
    const auto reported = AskDeviceKind(backend, *commandPath);
    if (!reported || std::find(kinds.begin(), kinds.end(), *reported) == kinds.end()) return std::nullopt;
    return reported;
}

void DeviceSlotList::ReleaseSlot(size_t index) {
    std::lock_guard lock(mutex_);
    if (index >= slots_.size()) return;
    slots_[index].present = 0;
    slots_[index].path.clear();
    kindGuessed_[index] = false;
}

bool DeviceSlotList::KindGuessed(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < kindGuessed_.size() && kindGuessed_[index];
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
    probe.Close();
    const std::vector<uint16_t> kinds = KindsSharing(entry);
    // Another collection of the interface already told (or guessed) the kind.
    const std::optional<size_t> sibling = kinds.size() < 2 ? std::nullopt : SiblingSlot(entry, kinds);
    const std::optional<uint16_t> kind = DeviceKindOf(backend, entry);
    const int slot = ClaimSlot(entry, kind);
    if (slot >= 0 && kinds.size() >= 2) {
        const bool guessed = sibling ? KindGuessed(*sibling) : !kind;
        std::lock_guard lock(mutex_);
        kindGuessed_[static_cast<size_t>(slot)] = guessed;
    }
    return slot;
}

}  // namespace morvek
