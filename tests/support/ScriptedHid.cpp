#include "support/ScriptedHid.h"

#include <algorithm>

#include "devicelink/DevicePath.h"

namespace morvek::test {

Bytes VendorCollectionDescriptor() {
    return {
        0x06, 0x1C, 0xFF,  // Usage Page (vendor 0xFF1C)
        0x09, 0x92,        // Usage (0x92)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x04,        //   Report ID (4)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x01,        //   Usage (1)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x01,        //   Usage (1)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

Bytes ConsumerCollectionDescriptor() {
    return {
        0x05, 0x0C,        // Usage Page (Consumer)
        0x09, 0x01,        // Usage (Consumer Control)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x03,        //   Report ID (3)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x0F,  //   Logical Maximum (0x0FFF)
        0x19, 0x00,        //   Usage Minimum (0)
        0x2A, 0xFF, 0x0F,  //   Usage Maximum (0x0FFF)
        0x75, 0x10,        //   Report Size (16)
        0x95, 0x01,        //   Report Count (1)
        0x81, 0x00,        //   Input (Data, Array, Absolute)
        0xC0,              // End Collection
    };
}

hid::HidInterfaceInfo InterfaceInfo(const std::string& path, uint16_t vid, uint16_t pid, uint16_t usagePage,
                                    uint16_t usage) {
    hid::HidInterfaceInfo info;
    info.path = path;
    info.vendorId = vid;
    info.productId = pid;
    info.releaseNumber = 0x0105;
    info.interfaceNumber = ParsePathNumber(path, "&mi_");
    info.collectionNumber = 0; // every scripted device carries a single collection
    info.usagePage = usagePage;
    info.usage = usage;
    info.inputReportLength = 64;
    info.outputReportLength = 64;
    return info;
}

ScriptedHidDevice::ScriptedHidDevice(hid::HidInterfaceInfo info, Bytes descriptor)
    : info_(std::move(info)), descriptor_(std::move(descriptor)) {}

hid::IoResult ScriptedHidDevice::Write(std::span<const uint8_t> report, int timeoutMs) {
    Responder responder;
    Bytes written(report.begin(), report.end());
    {
        std::lock_guard lock(mutex_);
        writeTimeouts_.push_back(timeoutMs);
        if (aborted_) return {hid::IoStatus::Aborted, 0};
        if (failWrites_) return {hid::IoStatus::TimedOut, 0};
        writes_.push_back(written);
        responder = responder_;
    }
    std::vector<Bytes> answers;
    if (responder) {
        answers = responder(written);
    } else {
        Bytes echo = written;
        echo.resize(64, 0);
        echo[7] = 0;
        answers.push_back(echo);
    }
    {
        std::lock_guard lock(mutex_);
        for (auto& a : answers) pending_.push_back(std::move(a));
    }
    cv_.notify_all();
    return {hid::IoStatus::Ok, report.size()};
}

hid::IoResult ScriptedHidDevice::Read(std::span<uint8_t> buffer, int timeoutMs) {
    std::unique_lock lock(mutex_);
    readTimeouts_.push_back(timeoutMs);
    if (pending_.empty() && (blockingReads_ || timeoutMs < 0)) {
        ++waitingReaders_;
        cv_.notify_all();
        cv_.wait(lock, [&] { return aborted_ || !pending_.empty() || (!blockingReads_ && timeoutMs >= 0); });
        --waitingReaders_;
    }
    if (aborted_) return {hid::IoStatus::Aborted, 0};
    if (pending_.empty()) return {hid::IoStatus::TimedOut, 0};
    Bytes answer = std::move(pending_.front());
    pending_.pop_front();
    const size_t n = std::min(answer.size(), buffer.size());
    std::copy_n(answer.begin(), n, buffer.begin());
    return {hid::IoStatus::Ok, n};
}

bool ScriptedHidDevice::SetOutputReport(std::span<const uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (aborted_) return false;
    writes_.emplace_back(report.begin(), report.end());
    return true;
}

void ScriptedHidDevice::Abort() {
    {
        std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    cv_.notify_all();
}

void ScriptedHidDevice::Reopen() {
    std::lock_guard lock(mutex_);
    aborted_ = false;
}

void ScriptedHidDevice::SetResponder(Responder responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void ScriptedHidDevice::Push(Bytes report) {
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(report));
    }
    cv_.notify_all();
}

void ScriptedHidDevice::SetFailWrites(bool fail) {
    std::lock_guard lock(mutex_);
    failWrites_ = fail;
}

void ScriptedHidDevice::SetBlockingReads(bool blocking) {
    {
        std::lock_guard lock(mutex_);
        blockingReads_ = blocking;
    }
    cv_.notify_all();
}

std::vector<Bytes> ScriptedHidDevice::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::vector<int> ScriptedHidDevice::WriteTimeouts() const {
    std::lock_guard lock(mutex_);
    return writeTimeouts_;
}

std::vector<int> ScriptedHidDevice::ReadTimeouts() const {
    std::lock_guard lock(mutex_);
    return readTimeouts_;
}

size_t ScriptedHidDevice::WaitingReaders() const {
    std::lock_guard lock(mutex_);
    return waitingReaders_;
}

bool ScriptedHidDevice::Aborted() const {
    std::lock_guard lock(mutex_);
    return aborted_;
}

std::shared_ptr<ScriptedHidDevice> ScriptedHidBackend::Add(hid::HidInterfaceInfo info, Bytes descriptor) {
    auto device = std::make_shared<ScriptedHidDevice>(std::move(info), std::move(descriptor));
    std::lock_guard lock(mutex_);
    devices_.push_back(device);
    return device;
}

void ScriptedHidBackend::Remove(const std::string& path) {
    std::lock_guard lock(mutex_);
    std::erase_if(devices_, [&](const auto& d) { return d->Info().path == path; });
}

void ScriptedHidBackend::SetRefuseOpen(const std::string& path, bool refuse) {
    std::lock_guard lock(mutex_);
    refused_[path] = refuse;
}

int ScriptedHidBackend::OpenCount(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = opens_.find(path);
    return it == opens_.end() ? 0 : it->second;
}

bool ScriptedHidBackend::Enumerate(std::vector<hid::HidInterfaceInfo>& out) {
    std::lock_guard lock(mutex_);
    out.clear();
    if (enumerationFails_) return false;
    for (const auto& d : devices_) out.push_back(d->Info());
    return true;
}

std::shared_ptr<hid::IHidDevice> ScriptedHidBackend::Open(const std::string& path, hid::HidOpenMode) {
    std::lock_guard lock(mutex_);
    ++opens_[path];
    if (refused_[path]) return nullptr;
    for (const auto& d : devices_)
        if (d->Info().path == path) {
            d->Reopen();
            return d;
        }
    return nullptr;
}

bool ScriptedHidBackend::Exists(const std::string& path) {
    std::lock_guard lock(mutex_);
    return std::any_of(devices_.begin(), devices_.end(), [&](const auto& d) { return d->Info().path == path; });
}

}  // namespace morvek::test
