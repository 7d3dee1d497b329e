#include "devicelink/DeniedDeviceList.h"

#include <algorithm>

#include "devicelink/DeviceSlotList.h"

namespace morvek {

bool DeniedDeviceList::Note(const std::string& path, bool denied) {
    std::lock_guard lock(mutex_);
    const auto known = std::find_if(entries_.begin(), entries_.end(), [&](const DeviceEntry& e) { return e.path == path; });
    if (!denied) {
        if (known == entries_.end()) return false;
        entries_.erase(known);
        return true;
    }
    if (known != entries_.end()) return false;
    DeviceEntry entry = EntryFromPath(path);
    for (const DeviceEntry& row : InterfaceMatchTable()) {
        if (row.vendorId == entry.vendorId && row.productId == entry.productId &&
            row.interfaceNumber == entry.interfaceNumber && row.collectionNumber == entry.collectionNumber) {
            entry.kind = row.kind;
            entry.role = row.role;
            entries_.push_back(std::move(entry));
            return true;
        }
    }
    return false;  // an interface of the device that no table row uses
}

bool DeniedDeviceList::KeepListed(const std::set<std::string>& listed) {
    std::lock_guard lock(mutex_);
    return std::erase_if(entries_, [&](const DeviceEntry& e) { return !listed.contains(e.path); }) > 0;
}

std::vector<DeviceEntry> DeniedDeviceList::Entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

}  // namespace morvek
