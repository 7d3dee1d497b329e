#pragma once
// One top-level collection of an opened hidraw node. Waits are poll() calls on the node
// and on an eventfd that Abort() signals, so a waiting Read or Write ends at once and no
// thread ever has to be killed.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/hid/HidBackend.h"
#include "platform/hid/UniqueFd.h"

namespace morvek::hid {

// Which input reports belong to the opened collection.
struct ReportIdFilter {
    bool usesReportIds = false;  // without ids the node delivers bare data: a 0 id byte is put in front
    std::vector<uint8_t> ownedIds;
};

struct HidrawAccess {
    bool read = true;
    bool write = true;
};

class HidrawDevice final : public IHidDevice {
public:
    // Takes the opened node; nullptr when the abort event cannot be created.
    static std::shared_ptr<HidrawDevice> Create(UniqueFd node, HidInterfaceInfo info, std::vector<uint8_t> descriptor,
                                                ReportIdFilter filter, HidrawAccess access);

    const HidInterfaceInfo& Info() const override { return info_; }
    std::vector<uint8_t> ReportDescriptor() const override { return descriptor_; }
    IoResult Write(std::span<const uint8_t> report, int timeoutMs) override;
    IoResult Read(std::span<uint8_t> buffer, int timeoutMs) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Abort() override;

private:
    HidrawDevice(UniqueFd node, UniqueFd abortEvent, HidInterfaceInfo info, std::vector<uint8_t> descriptor,
                 ReportIdFilter filter, HidrawAccess access);

    bool Owns(uint8_t reportId) const;

    UniqueFd node_;
    UniqueFd abortEvent_;
    const HidInterfaceInfo info_;
    const std::vector<uint8_t> descriptor_;
    const ReportIdFilter filter_;
    const HidrawAccess access_;
    std::atomic<bool> aborted_{false};
};

}  // namespace morvek::hid
