#include "emulator/EmulatedHandle.h"

#include "emulator/EmulatedDevice.h"

namespace morvek::emulator {

EmulatedHandle::EmulatedHandle(std::shared_ptr<EmulatedDevice> device, std::shared_ptr<HandleState> state,
                               hid::HidInterfaceInfo info)
    : device_(std::move(device)), state_(std::move(state)), info_(std::move(info)) {}

EmulatedHandle::~EmulatedHandle() { device_->CloseHandle(state_); }

std::vector<uint8_t> EmulatedHandle::ReportDescriptor() const {
    return device_->ReportDescriptorOf(state_->interfaceIndex);
}

hid::IoResult EmulatedHandle::Write(std::span<const uint8_t> report, int timeoutMs) {
    return device_->WriteReport(*state_, report, timeoutMs);
}

hid::IoResult EmulatedHandle::Read(std::span<uint8_t> buffer, int timeoutMs) {
    return device_->ReadReport(*state_, buffer, timeoutMs);
}

bool EmulatedHandle::SetOutputReport(std::span<const uint8_t> report) {
    return device_->WriteReport(*state_, report, -1).ok();
}

void EmulatedHandle::Abort() { device_->AbortHandle(*state_); }

}  // namespace morvek::emulator
