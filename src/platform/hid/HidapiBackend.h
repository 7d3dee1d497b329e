#pragma once
// The HID backend for real devices. hidapi lists the hidraw nodes; each node carries every
// top-level collection of one USB interface, so the backend reads the node's report
// descriptor from sysfs and presents one entry per (interface, collection), with paths
// such as "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04".
//
// Enumeration is cheap when nothing changed: the device monitor asks after every hot-plug notice
// (from udev, UdevHidrawWatch) while a slot is free, and every 100 ms where no notices can be
// had. A snapshot of the hidraw nodes (HidrawNodeWatch) equal to the last one returns the last
// list without asking hidapi; otherwise hidapi lists the nodes again, and only a node that is
// new or whose identity changed (replaced device node, new sysfs instance) has its report
// descriptor read and parsed again.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/hid/HidAccess.h"
#include "platform/hid/HidBackend.h"
#include "platform/hid/HidInterfaceList.h"
#include "platform/hid/HidrawNodeWatch.h"
#include "platform/hid/HidrawSysfs.h"

namespace morvek::hid {

struct HidapiBackendOptions {
    std::filesystem::path sysfsRoot = "/sys";
    // Where the hidraw device nodes are.
    std::filesystem::path devRoot = "/dev";
    // Lists the hidraw nodes, nothing when the enumeration failed; hidapi's enumeration
    // when left empty. Tests hand in nodes of their own.
    std::function<std::optional<std::vector<HidrawNode>>()> listNodes;
};

class HidapiBackend final : public IHidBackend, public IHidAccessReport {
public:
    explicit HidapiBackend(HidapiBackendOptions options = {});

    bool Enumerate(std::vector<HidInterfaceInfo>& out) override;
    std::shared_ptr<IHidDevice> Open(const std::string& path, HidOpenMode mode) override;
    // The node is still there and is the one seen when the path was last opened (else
    // enumerated): a device unplugged and plugged again counts as gone.
    bool Exists(const std::string& path) override;
    // A udev monitor of the hidraw subsystem on a thread of its own.
    std::unique_ptr<HidChangeWatch> WatchChanges(std::function<void(HidChange)> onChange) override;
    // The node's open() failed with EACCES or EPERM on the last Open of path.
    bool AccessDenied(const std::string& path) override;  // IHidAccessReport

private:
    struct NodeIdentity {
        uint64_t device = 0;
        uint64_t inode = 0;
        uint64_t rdev = 0;
        bool operator==(const NodeIdentity&) const = default;
    };
    struct EnumeratedNode {
        NodeIdentity identity;
        uint16_t releaseNumber = 0;
    };
    // A node's collections as last described, with what they were described from.
    struct DescribedNode {
        HidrawNode row;
        NodeIdentity identity;
        std::string sysfsIdentity;
        std::vector<HidInterfaceInfo> collections;
    };

    static std::optional<NodeIdentity> IdentityOf(const std::string& node);
    std::optional<NodeIdentity> KnownIdentity(const std::string& path, const std::string& node);
    uint16_t KnownReleaseNumber(const std::string& node);
    // The node's collections: from the last enumeration while the node is the same, else
    // described afresh from its report descriptor. Nothing for a node without a usable one.
    std::optional<DescribedNode> Describe(const HidrawNode& row, const std::string& sysfsIdentity);

    std::function<std::optional<std::vector<HidrawNode>>()> listNodes_;
    HidrawSysfs sysfs_;
    std::filesystem::path sysfsRoot_;
    std::filesystem::path devRoot_;
    // Touched by Enumerate only (the monitor's thread).
    std::optional<HidrawSnapshot> snapshot_;
    std::vector<HidInterfaceInfo> list_;
    std::map<std::string, DescribedNode> described_;  // by node
    std::mutex mutex_;
    std::map<std::string, EnumeratedNode> enumerated_;  // by node, from the last enumeration
    std::map<std::string, NodeIdentity> opened_;        // by path, from its last Open
    std::set<std::string> denied_;                      // paths whose last Open was refused access
};

}  // namespace morvek::hid
