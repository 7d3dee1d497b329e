#include "platform/hid/HidapiBackend.h"

#include <fcntl.h>
#include <hidapi/hidapi.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "platform/hid/HidPath.h"
#include "platform/hid/HidrawDevice.h"
#include "platform/hid/ReportDescriptor.h"
#include "platform/hid/UdevHidrawWatch.h"

namespace morvek::hid {
namespace {

std::optional<std::vector<HidrawNode>> ListHidapiNodes() {
    static const bool initialised = hid_init() == 0;
    if (!initialised) return std::nullopt;

    std::vector<HidrawNode> nodes;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* entry = list; entry != nullptr; entry = entry->next) {
        if (entry->path == nullptr) continue;
        HidrawNode node;
        node.node = entry->path;
        node.vendorId = entry->vendor_id;
        node.productId = entry->product_id;
        node.releaseNumber = entry->release_number;
        if (entry->interface_number >= 0) node.interfaceNumber = static_cast<uint16_t>(entry->interface_number);
        nodes.push_back(std::move(node));
    }
    hid_free_enumeration(list);
    return nodes;
}

std::string NodeName(const std::string& node) { return std::filesystem::path(node).filename().string(); }

}  // namespace

HidapiBackend::HidapiBackend(HidapiBackendOptions options)
    : listNodes_(options.listNodes ? std::move(options.listNodes) : ListHidapiNodes),
      sysfs_(options.sysfsRoot),
      sysfsRoot_(std::move(options.sysfsRoot)),
      devRoot_(std::move(options.devRoot)) {}

std::optional<HidapiBackend::NodeIdentity> HidapiBackend::IdentityOf(const std::string& node) {
    struct stat status {};
    if (::stat(node.c_str(), &status) != 0) return std::nullopt;
    return NodeIdentity{status.st_dev, status.st_ino, status.st_rdev};
}

std::optional<HidapiBackend::DescribedNode> HidapiBackend::Describe(const HidrawNode& row,
                                                                   const std::string& sysfsIdentity) {
    const auto identity = IdentityOf(row.node);
    if (!identity) return std::nullopt;
    if (const auto known = described_.find(row.node); known != described_.end()) {
        const DescribedNode& node = known->second;
        if (node.identity == *identity && node.sysfsIdentity == sysfsIdentity && node.row.vendorId == row.vendorId &&
            node.row.productId == row.productId && node.row.releaseNumber == row.releaseNumber &&
            node.row.interfaceNumber == row.interfaceNumber)
            return node;
    }
    const auto descriptor = sysfs_.ReportDescriptor(NodeName(row.node));
    const auto parsed = descriptor ? ParseReportDescriptor(*descriptor) : std::nullopt;
    if (!parsed) return std::nullopt;
    return DescribedNode{row, *identity, sysfsIdentity, DescribeCollections(row, *parsed)};
}

bool HidapiBackend::Enumerate(std::vector<HidInterfaceInfo>& out) {
    out.clear();
    HidrawSnapshot snapshot = TakeHidrawSnapshot(sysfsRoot_, devRoot_);
    if (snapshot_ && *snapshot_ == snapshot) {
        out = list_;
        return true;
    }
    const auto rows = listNodes_();
    if (!rows) {
        snapshot_.reset();
        return false;
    }

    std::map<std::string, DescribedNode> described;
    std::map<std::string, EnumeratedNode> seen;
    std::vector<HidInterfaceInfo> list;
    for (const HidrawNode& row : UniqueNodes(*rows)) {
        const std::string name = NodeName(row.node);
        const auto state = std::find_if(snapshot.begin(), snapshot.end(), [&](const auto& n) { return n.name == name; });
        auto node = Describe(row, state == snapshot.end() ? std::string() : state->sysfsIdentity);
        if (!node) continue;
        seen[row.node] = EnumeratedNode{node->identity, row.releaseNumber};
        list.insert(list.end(), node->collections.begin(), node->collections.end());
        described.emplace(row.node, std::move(*node));
    }
    described_ = std::move(described);
    list_ = list;
    snapshot_ = std::move(snapshot);
    out = std::move(list);

    std::lock_guard lock(mutex_);
    enumerated_ = std::move(seen);
    return true;
}

uint16_t HidapiBackend::KnownReleaseNumber(const std::string& node) {
    std::lock_guard lock(mutex_);
    const auto found = enumerated_.find(node);
    return found == enumerated_.end() ? 0 : found->second.releaseNumber;
}

std::shared_ptr<IHidDevice> HidapiBackend::Open(const std::string& path, HidOpenMode mode) {
    const auto parts = SplitHidPath(path);
    if (!parts) return nullptr;
    const std::string name = NodeName(parts->node);
    if (sysfs_.DeviceIds(name) != HidDeviceIds{parts->vendorId, parts->productId}) return nullptr;
    const auto descriptor = sysfs_.ReportDescriptor(name);
    const auto parsed = descriptor ? ParseReportDescriptor(*descriptor) : std::nullopt;
    if (!parsed) return nullptr;

    const HidrawNode node{parts->node, parts->vendorId, parts->productId, KnownReleaseNumber(parts->node),
                          parts->interfaceNumber};
    const std::vector<HidInterfaceInfo> infos = DescribeCollections(node, *parsed);
    const auto info = std::find_if(infos.begin(), infos.end(), [&](const HidInterfaceInfo& candidate) {
        return candidate.collectionNumber == parts->collectionNumber;
    });
    if (info == infos.end()) return nullptr;
    const HidCollectionCaps& collection = parsed->collections[static_cast<size_t>(info - infos.begin())];

    const int access = mode.read && mode.write ? O_RDWR : mode.write ? O_WRONLY : O_RDONLY;
    UniqueFd fd(::open(parts->node.c_str(), access | O_CLOEXEC | O_NONBLOCK));
    const bool denied = !fd.Valid() && (errno == EACCES || errno == EPERM);
    {
        std::lock_guard lock(mutex_);
        if (denied) denied_.insert(path);
        else denied_.erase(path);
    }
    if (!fd.Valid()) return nullptr;
    // Advisory: another instance of this program holding the node exclusively keeps us out.
    if (::flock(fd.Get(), (mode.exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) return nullptr;
    struct stat status {};
    if (::fstat(fd.Get(), &status) != 0) return nullptr;

    auto device = HidrawDevice::Create(std::move(fd), *info, *descriptor,
                                       ReportIdFilter{parsed->usesReportIds, collection.reportIds},
                                       HidrawAccess{mode.read, mode.write});
    if (device) {
        std::lock_guard lock(mutex_);
        opened_[path] = NodeIdentity{status.st_dev, status.st_ino, status.st_rdev};
    }
    return device;
}

std::optional<HidapiBackend::NodeIdentity> HidapiBackend::KnownIdentity(const std::string& path,
                                                                        const std::string& node) {
    std::lock_guard lock(mutex_);
    if (const auto opened = opened_.find(path); opened != opened_.end()) return opened->second;
    if (const auto enumerated = enumerated_.find(node); enumerated != enumerated_.end()) {
        return enumerated->second.identity;
    }
    return std::nullopt;
}

bool HidapiBackend::AccessDenied(const std::string& path) {
    std::lock_guard lock(mutex_);
    return denied_.contains(path);
}

bool HidapiBackend::Exists(const std::string& path) {
    const auto parts = SplitHidPath(path);
    if (!parts) return false;
    const auto identity = IdentityOf(parts->node);
    if (!identity) return false;
    if (const auto known = KnownIdentity(path, parts->node)) return *known == *identity;
    return sysfs_.DeviceIds(NodeName(parts->node)) == HidDeviceIds{parts->vendorId, parts->productId};
}

std::unique_ptr<HidChangeWatch> HidapiBackend::WatchChanges(std::function<void(HidChange)> onChange) {
    std::shared_ptr<UdevHidrawWatch> watch = UdevHidrawWatch::Start(std::move(onChange));
    if (!watch) return nullptr;
    return std::make_unique<HidChangeWatch>([watch]() mutable { watch.reset(); });
}

}  // namespace morvek::hid
