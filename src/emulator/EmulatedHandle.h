#pragma once
// One opened collection of an emulated device, as the HID layer hands it out.

#include <memory>

#include "emulator/HandleState.h"
#include "platform/hid/HidBackend.h"

namespace morvek::emulator {

class EmulatedDevice;

class EmulatedHandle final : public hid::IHidDevice {
public:
    EmulatedHandle(std::shared_ptr<EmulatedDevice> device, std::shared_ptr<HandleState> state,
                   hid::HidInterfaceInfo info);
    ~EmulatedHandle() override;
    EmulatedHandle(const EmulatedHandle&) = delete;
    EmulatedHandle& operator=(const EmulatedHandle&) = delete;

    const hid::HidInterfaceInfo& Info() const override { return info_; }
    std::vector<uint8_t> ReportDescriptor() const override;
    hid::IoResult Write(std::span<const uint8_t> report, int timeoutMs) override;
    hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Abort() override;

private:
    std::shared_ptr<EmulatedDevice> device_;
    std::shared_ptr<HandleState> state_;
    hid::HidInterfaceInfo info_;
};

}  // namespace morvek::emulator
