#pragma once
// What the hidraw nodes of the machine look like now, at the cost of one directory listing and
// two system calls per node: the node names under sysfs "class/hidraw", each with its device
// node's identity (device, inode, device number, change time) and its sysfs identity (where its
// sysfs entry links to: the HID device instance, new for every plug-in). Two equal snapshots
// mean that no node came, went or was replaced in between.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace morvek::hid {

struct HidrawNodeState {
    std::string name;          // "hidraw3"
    bool present = false;      // the device node exists
    uint64_t device = 0;
    uint64_t inode = 0;
    uint64_t rdev = 0;
    int64_t changeSeconds = 0;
    int64_t changeNanoseconds = 0;
    std::string sysfsIdentity;  // the sysfs entry's link target; empty when it is no link

    bool operator==(const HidrawNodeState&) const = default;
};

using HidrawSnapshot = std::vector<HidrawNodeState>;

// The nodes in name order; empty when sysfs lists none (or has no hidraw class at all).
HidrawSnapshot TakeHidrawSnapshot(const std::filesystem::path& sysfsRoot, const std::filesystem::path& devRoot);

}  // namespace morvek::hid
