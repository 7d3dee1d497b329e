#pragma once
// The devices that are present but that this user may not open (no udev rule grants access):
// noted when the probe of an enumerated path is refused access, forgotten once the path opens
// or is no longer listed, so that the window and morvekctl can say why a device is missing.

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "devicelink/DeviceTables.h"

namespace morvek {

class DeniedDeviceList {
public:
    // Records whether the probe of path was refused access (only paths whose numbers a match
    // table row has are kept); true when the list changed.
    bool Note(const std::string& path, bool denied);
    // Forgets paths that are no longer listed; true when the list changed.
    bool KeepListed(const std::set<std::string>& listed);
    // The refused paths in the order they were seen, each with its path's numbers and the kind
    // and role of the first match table row with those numbers.
    std::vector<DeviceEntry> Entries() const;

private:
    mutable std::mutex mutex_;
    std::vector<DeviceEntry> entries_;
};

}  // namespace morvek
