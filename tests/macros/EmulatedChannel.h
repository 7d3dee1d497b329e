#pragma once
// A command channel to one emulated device that records the command code of every report
// sent, and can make a wireless mouse drop out of reach at a chosen link query.

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "devicelink/DeviceSlotList.h"
#include "devicelink/HidChannel.h"
#include "devicelink/HidCommandReport.h"
#include "devicelink/HidInterfaceHandle.h"
#include "emulator/EmulatorBackend.h"

namespace morvek::test {

class EmulatedChannel : public hid::IHidBackend {
public:
    explicit EmulatedChannel(emulator::EmulatedKind kind) : device_(emulator_.Attach(kind)) {
        DeviceSlotList slots;
        HidInterfaceHandle enumerator(*this);
        enumerator.EnumerateHidPaths();
        while (auto path = enumerator.NextPath()) slots.MatchPath(*this, *path);
        for (const DeviceEntry& slot : slots.Slots()) {
            if (slot.present && slot.role == kRoleCommand) channel_.Open(slot.path);
        }
        channel_.SetWireless(kind == emulator::EmulatedKind::WirelessMouse);
        // Finding the device may ask it for its kind; only what the test sends is recorded.
        TakeCommands();
    }

    CHidChannel& Channel() { return channel_; }
    emulator::EmulatedDevice& Device() { return device_; }

    // The mouse goes out of reach just before the n-th link query (1 = the first) is answered.
    void DropLinkAtQuery(int n) { dropAtQuery_ = n; }
    // Command codes of the reports sent since the last call.
    std::vector<uint8_t> TakeCommands() {
        std::lock_guard guard(mutex_);
        return std::exchange(commands_, {});
    }

    bool Enumerate(std::vector<hid::HidInterfaceInfo>& out) override { return emulator_.Enumerate(out); }
    bool Exists(const std::string& path) override { return emulator_.Exists(path); }
    std::shared_ptr<hid::IHidDevice> Open(const std::string& path, hid::HidOpenMode mode) override {
        auto inner = emulator_.Open(path, mode);
        if (!inner) return nullptr;
        return std::make_shared<Recorder>(std::move(inner), *this);
    }

private:
    class Recorder : public hid::IHidDevice {
    public:
        Recorder(std::shared_ptr<hid::IHidDevice> inner, EmulatedChannel& owner)
            : inner_(std::move(inner)), owner_(owner) {}
        const hid::HidInterfaceInfo& Info() const override { return inner_->Info(); }
        std::vector<uint8_t> ReportDescriptor() const override { return inner_->ReportDescriptor(); }
        hid::IoResult Write(std::span<const uint8_t> report, int timeoutMs) override {
            if (report.size() > kByteCommand && report[0] == kCommandReportId) owner_.Sent(report[kByteCommand]);
            return inner_->Write(report, timeoutMs);
        }
        hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs) override { return inner_->Read(buffer, timeoutMs); }
        bool SetOutputReport(std::span<const uint8_t> report) override { return inner_->SetOutputReport(report); }
        void Abort() override { inner_->Abort(); }

    private:
        std::shared_ptr<hid::IHidDevice> inner_;
        EmulatedChannel& owner_;
    };

    void Sent(uint8_t command) {
        std::lock_guard guard(mutex_);
        commands_.push_back(command);
        if (command == kCmdQueryLink && ++queries_ == dropAtQuery_) {
            emulator::FaultPlan faults = device_.Faults();
            faults.linkDown = true;
            device_.SetFaults(faults);
        }
    }

    emulator::EmulatorBackend emulator_;
    emulator::EmulatedDevice& device_;
    CHidChannel channel_{*this};
    std::mutex mutex_;
    std::vector<uint8_t> commands_;
    int queries_ = 0;
    int dropAtQuery_ = 0;
};

}  // namespace morvek::test
