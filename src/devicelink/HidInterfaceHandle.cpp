#include "devicelink/HidInterfaceHandle.h"

#include <algorithm>

#include "devicelink/DevicePath.h"

namespace morvek {
namespace {

// Marks a read or write as waiting for its whole duration.
class WaitingMark {
public:
    explicit WaitingMark(std::atomic<bool>& flag) : flag_(flag) { flag_ = true; }
    ~WaitingMark() { flag_ = false; }
    WaitingMark(const WaitingMark&) = delete;
    WaitingMark& operator=(const WaitingMark&) = delete;

private:
    std::atomic<bool>& flag_;
};

uint16_t CountOf(size_t n) { return static_cast<uint16_t>(std::min<size_t>(n, 0xFFFF)); }

}  // namespace

HidInterfaceHandle::HidInterfaceHandle(hid::IHidBackend& backend) : backend_(backend) {}

HidInterfaceHandle::~HidInterfaceHandle() { Close(); }

bool HidInterfaceHandle::EnumerateHidPaths() {
    FreePaths();
    std::vector<hid::HidInterfaceInfo> infos;
    if (!backend_.Enumerate(infos)) return false;
    paths_.reserve(infos.size());
    for (auto& info : infos) paths_.push_back(std::move(info.path));
    return true;
}

std::optional<std::string> HidInterfaceHandle::NextPath() {
    if (cursor_ >= paths_.size()) return std::nullopt;
    return paths_[cursor_++];
}

void HidInterfaceHandle::FreePaths() {
    paths_.clear();
    cursor_ = 0;
}

std::shared_ptr<hid::IHidDevice> HidInterfaceHandle::Device() const {
    std::lock_guard lock(deviceMutex_);
    return device_;
}

bool HidInterfaceHandle::IsOpen() const { return Device() != nullptr; }

bool HidInterfaceHandle::IsReading() const { return reading_; }

bool HidInterfaceHandle::IsWriting() const { return writing_; }

// Every wait of this layer is abortable and timed, so "overlapped" needs no separate mode here.
bool HidInterfaceHandle::Open(const std::string& path, bool read, bool write, [[maybe_unused]] bool overlapped,
                              bool exclusive) {
    Close();

    hid::HidOpenMode mode;
    mode.read = read;
    mode.write = write;
    mode.exclusive = exclusive;
    std::shared_ptr<hid::IHidDevice> device = backend_.Open(path, mode);
    if (!device) return false;

    const hid::HidInterfaceInfo& info = device->Info();
    const auto parsed = hid::ParseReportDescriptor(device->ReportDescriptor());
    // The collection this path stands for: numbered from 1, or the only one when the path has no "&col".
    const size_t index = info.collectionNumber == 0 ? 0 : info.collectionNumber - 1u;
    if (!parsed || index >= parsed->collections.size()) {
        device->Abort();
        return false;
    }
    const hid::HidCollectionCaps& collection = parsed->collections[index];

    HidCaps caps;
    caps.usage = collection.usage;
    caps.usagePage = collection.usagePage;
    caps.inputReportLength = collection.input.reportLength;
    caps.outputReportLength = collection.output.reportLength;
    caps.featureReportLength = collection.feature.reportLength;
    caps.numberInputButtonCaps = CountOf(collection.input.buttons.size());
    caps.numberInputValueCaps = CountOf(collection.input.values.size());
    caps.numberOutputButtonCaps = CountOf(collection.output.buttons.size());
    caps.numberOutputValueCaps = CountOf(collection.output.values.size());
    caps.numberFeatureButtonCaps = CountOf(collection.feature.buttons.size());
    caps.numberFeatureValueCaps = CountOf(collection.feature.values.size());

    std::lock_guard lock(deviceMutex_);
    device_ = std::move(device);
    path_ = path;
    parsed_ = collection;
    attributes_ = {info.vendorId, info.productId, info.releaseNumber};
    caps_ = caps;
    interfaceNumber_ = ParsePathNumber(path, "&mi_");
    collectionNumber_ = ParsePathNumber(path, "&col");
    return true;
}

void HidInterfaceHandle::Close() {
    std::shared_ptr<hid::IHidDevice> device;
    {
        std::lock_guard lock(deviceMutex_);
        device = std::move(device_);
        device_.reset();
        parsed_ = {};
        attributes_ = {};
        caps_ = {};
    }
    // A reader or writer on another thread holds its own reference; Abort ends its wait and
    // the device is released when the last reference goes.
    if (device) device->Abort();
}

std::string HidInterfaceHandle::Path() const {
    std::lock_guard lock(deviceMutex_);
    return path_;
}

HidAttributes HidInterfaceHandle::Attributes() const {
    std::lock_guard lock(deviceMutex_);
    return attributes_;
}

HidCaps HidInterfaceHandle::Caps() const {
    std::lock_guard lock(deviceMutex_);
    return caps_;
}

uint16_t HidInterfaceHandle::InterfaceNumber() const {
    std::lock_guard lock(deviceMutex_);
    return interfaceNumber_;
}

uint16_t HidInterfaceHandle::CollectionNumber() const {
    std::lock_guard lock(deviceMutex_);
    return collectionNumber_;
}

hid::HidCollectionCaps HidInterfaceHandle::ParsedDescriptor() const {
    std::lock_guard lock(deviceMutex_);
    return parsed_;
}

std::vector<HidReportItem> HidInterfaceHandle::ReportItems(hid::ReportKind kind) const {
    std::lock_guard lock(deviceMutex_);
    return BuildReportItems(parsed_, kind);
}

bool HidInterfaceHandle::ReadReport(size_t length, uint8_t* buffer, int timeoutMs, size_t* bytesTransferred) {
    if (bytesTransferred) *bytesTransferred = 0;
    const auto device = Device();
    if (!device || buffer == nullptr) return false;
    WaitingMark mark(reading_);
    const hid::IoResult r = device->Read(std::span<uint8_t>(buffer, length), timeoutMs);
    if (!r.ok()) return false;
    if (bytesTransferred) *bytesTransferred = r.bytes;
    return true;
}

bool HidInterfaceHandle::WriteReport(size_t length, const uint8_t* buffer, int timeoutMs,
                                     size_t* bytesTransferred) {
    if (bytesTransferred) *bytesTransferred = 0;
    const auto device = Device();
    if (!device || buffer == nullptr) return false;
    WaitingMark mark(writing_);
    const hid::IoResult r = device->Write(std::span<const uint8_t>(buffer, length), timeoutMs);
    if (!r.ok()) return false;
    if (bytesTransferred) *bytesTransferred = r.bytes;
    return true;
}

bool HidInterfaceHandle::SetOutputReport(size_t length, const uint8_t* buffer) {
    const auto device = Device();
    if (!device || buffer == nullptr) return false;
    return device->SetOutputReport(std::span<const uint8_t>(buffer, length));
}

}  // namespace morvek
