#include "cli/CliSession.h"

#include <filesystem>

#include "devicelink/DeviceKinds.h"
#include "devicelink/HidInterfaceHandle.h"
#include "devicelink/UdevRules.h"
#include "platform/Paths.h"
#include "platform/hid/HidAccess.h"
#include "platform/hid/HidapiBackend.h"

namespace morvek::cli {

const char* KindWord(uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr ? row->word : "unknown";
}

std::optional<uint16_t> KindFromWord(const std::string& word) {
    const DeviceKindRow* row = FindDeviceKindByWord(word);
    if (row == nullptr) return std::nullopt;
    return row->kind;
}

std::unique_ptr<CliSession> CliSession::Create(const GlobalOptions& options, std::string& error,
                                               hid::IHidBackend* backend) {
    std::unique_ptr<CliSession> session(new CliSession());
    session->dataDir_ = UserDataFolder(options.dataDir);
    session->defaultDataDir_ = DefaultDataFolder(options.defaultDataDir);
    if (backend != nullptr) {
        session->backend_ = backend;
        return session;
    }
    if (options.emulate.empty()) {
        session->ownedBackend_ = std::make_unique<hid::HidapiBackend>();
        session->backend_ = session->ownedBackend_.get();
        return session;
    }
    auto emulator = std::make_unique<emulator::EmulatorBackend>();
    for (const std::string& word : options.emulate) {
        if (const auto kind = emulator::ParseEmulatedKind(word)) emulator->Attach(*kind);
    }
    emulator->SetLatency(options.emulatorLatencyMs);
    if (auto* receiver = emulator->Find(emulator::EmulatedKind::WirelessMouse); receiver && options.emulatorLinkDown) {
        emulator::FaultPlan faults = receiver->Faults();
        faults.linkDown = true;
        receiver->SetFaults(faults);
    }
    for (const std::string& word : options.emulate) {
        const auto kind = emulator::ParseEmulatedKind(word);
        emulator::EmulatedDevice* device = kind ? emulator->Find(*kind) : nullptr;
        if (device == nullptr) continue;
        emulator::FaultPlan faults = device->Faults();
        for (const std::string& fault : options.emulatorFaults) emulator::AddFaultWord(fault, faults, error);
        device->SetFaults(faults);
    }
    session->emulatorState_ = options.emulatorState;
    if (!session->emulatorState_.empty() && std::filesystem::exists(session->emulatorState_) &&
        !emulator->LoadState(session->emulatorState_)) {
        error = "cannot read the emulator state file " + session->emulatorState_;
        return nullptr;
    }
    session->emulator_ = emulator.get();
    session->backend_ = emulator.get();
    session->ownedBackend_ = std::move(emulator);
    return session;
}

CliSession::~CliSession() = default;

std::vector<AttachedDevice> CliSession::Devices() {
    slots_ = std::make_unique<DeviceSlotList>();
    denied_.KeepListed({});
    HidInterfaceHandle enumerator(*backend_);
    if (enumerator.EnumerateHidPaths()) {
        while (auto path = enumerator.NextPath()) {
            if (!slots_->HasFreeSlot()) break;
            // A path left unclaimed may be one this user may not open (its probe was refused).
            const bool claimed = slots_->MatchPath(*backend_, *path) >= 0;
            denied_.Note(*path, !claimed && hid::AccessDenied(*backend_, *path));
        }
    }
    const auto slots = slots_->Slots();
    std::vector<AttachedDevice> devices;
    for (size_t index = 0; index < slots.size(); ++index) {
        const DeviceEntry& slot = slots[index];
        if (!slot.present || slot.role != kRoleCommand) continue;
        AttachedDevice device;
        device.kind = slot.kind;
        device.command = slot;
        device.kindGuessed = slots_->KindGuessed(index);
        const int eventRow = FindMatchRow(slot.vendorId, slot.productId, slot.kind, kRoleEvent);
        if (eventRow >= 0 && slots[static_cast<size_t>(eventRow)].present)
            device.event = slots[static_cast<size_t>(eventRow)];
        devices.push_back(std::move(device));
    }
    lastDevices_ = devices;
    return devices;
}

std::string CliSession::MissingDeviceText(uint16_t kind) const {
    for (const DeviceEntry& entry : DeniedDevices()) {
        if (ListKindOf(entry.kind) == kind)
            return "the " + std::string(KindWord(kind)) + " at " + entry.path + " is attached but not accessible; " +
                   AccessDeniedHint();
    }
    for (const AttachedDevice& device : lastDevices_) {
        if (!device.kindGuessed) continue;
        // A device whose kind is a guess may be this kind when a row of this kind has its numbers.
        if (FindMatchRow(device.command.vendorId, device.command.productId, kind, kRoleCommand) < 0) continue;
        return std::string("the device at ") + device.command.path + " does not answer, so it cannot say whether it is the " +
               KindWord(kind) + " (it is listed as a " + KindWord(device.kind) + ")";
    }
    return std::string("no ") + KindWord(kind) + " is attached";
}

std::optional<AttachedDevice> CliSession::FindDevice(uint16_t kind) {
    for (AttachedDevice& device : Devices()) {
        if (ListKindOf(device.kind) == kind) return device;
    }
    return std::nullopt;
}

std::vector<DeviceEntry> CliSession::DeniedDevices() const {
    std::vector<DeviceEntry> denied;
    for (DeviceEntry& entry : denied_.Entries()) {
        if (entry.role == kRoleCommand) denied.push_back(std::move(entry));
    }
    return denied;
}

bool CliSession::OpenCommandChannel(const AttachedDevice& device, CHidChannel& channel) {
    if (!channel.Open(device.command.path)) return false;
    const DeviceKindRow* row = FindDeviceKind(device.kind);
    channel.SetWireless(row != nullptr && row->wireless);
    return true;
}

bool CliSession::SaveEmulatorState(std::string& error) {
    if (emulator_ == nullptr || emulatorState_.empty()) return true;
    if (emulator_->SaveState(emulatorState_)) return true;
    error = "cannot write the emulator state file " + emulatorState_;
    return false;
}

}  // namespace morvek::cli
