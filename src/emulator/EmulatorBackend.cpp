#include "emulator/EmulatorBackend.h"

#include <optional>
#include <utility>

#include "emulator/DeviceState.h"
#include "profiles/JsonFile.h"

namespace morvek::emulator {

EmulatorBackend::~EmulatorBackend() {
    // A handle may keep a device beyond the backend; it must not reach the backend then.
    for (const auto& device : Devices()) {
        device->SetPresenceListener({});
    }
}

EmulatedDevice& EmulatorBackend::Attach(EmulatedKind kind) {
    std::shared_ptr<EmulatedDevice> device;
    {
        std::lock_guard lock(mutex_);
        auto found = devices_.find(kind);
        if (found != devices_.end()) {
            found->second->Plug();
            return *found->second;
        }
        device = std::make_shared<EmulatedDevice>(kind);
        device->SetLatency(latencyMs_);
        device->SetPresenceListener([this] { NotifyWatchers(); });
        devices_.emplace(kind, device);
    }
    NotifyWatchers();
    return *device;
}

bool EmulatorBackend::Detach(EmulatedKind kind) {
    std::shared_ptr<EmulatedDevice> device;
    {
        std::lock_guard lock(mutex_);
        auto found = devices_.find(kind);
        if (found == devices_.end()) {
            return false;
        }
        device = std::move(found->second);
        devices_.erase(found);
    }
    device->Unplug();
    return true;
}

EmulatedDevice* EmulatorBackend::Find(EmulatedKind kind) {
    std::lock_guard lock(mutex_);
    auto found = devices_.find(kind);
    return found == devices_.end() ? nullptr : found->second.get();
}

const EmulatedDevice* EmulatorBackend::Find(EmulatedKind kind) const {
    std::lock_guard lock(mutex_);
    auto found = devices_.find(kind);
    return found == devices_.end() ? nullptr : found->second.get();
}

void EmulatorBackend::SetLatency(int ms) {
    std::lock_guard lock(mutex_);
    latencyMs_ = ms < 0 ? 0 : ms;
    for (const auto& [kind, device] : devices_) {
        device->SetLatency(latencyMs_);
    }
}

std::vector<std::shared_ptr<EmulatedDevice>> EmulatorBackend::Devices() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<EmulatedDevice>> devices;
    for (const auto& [kind, device] : devices_) {
        devices.push_back(device);
    }
    return devices;
}

bool EmulatorBackend::LoadState(const std::string& file) {
    const Json::Value state = readjsonFile(file);
    if (!state.isObject()) {
        return false;
    }
    std::vector<std::pair<std::shared_ptr<EmulatedDevice>, FirmwareMemory>> loads;
    for (const auto& device : Devices()) {
        const char* name = EmulatedKindName(device->Kind());
        if (!state.isMember(name)) {
            continue;
        }
        std::optional<FirmwareMemory> memory = MemoryFromState(state[name], device->Memory());
        if (!memory) {
            return false;
        }
        loads.emplace_back(device, std::move(*memory));
    }
    for (const auto& [device, memory] : loads) {
        device->RestoreMemory(memory);
    }
    return true;
}

bool EmulatorBackend::SaveState(const std::string& file) const {
    Json::Value state(Json::objectValue);
    for (const auto& device : Devices()) {
        state[EmulatedKindName(device->Kind())] = StateOf(device->Memory());
    }
    return WriteJsonFile(file, state) == 0;
}

Json::Value EmulatorBackend::Dump() const {
    const bool bothMice = Find(EmulatedKind::Mouse) != nullptr && Find(EmulatedKind::WirelessMouse) != nullptr;
    Json::Value dump(Json::objectValue);
    for (const auto& device : Devices()) {
        const EmulatedKind kind = device->Kind();
        const std::string key =
            bothMice && kind == EmulatedKind::WirelessMouse ? EmulatedKindName(kind) : DumpKey(kind);
        dump[key] = device->Dump();
    }
    return dump;
}

Json::Value EmulatorBackend::Dump(EmulatedKind kind) const {
    const EmulatedDevice* device = Find(kind);
    return device ? device->Dump() : Json::Value();
}

bool EmulatorBackend::Enumerate(std::vector<hid::HidInterfaceInfo>& out) {
    out.clear();
    for (const auto& device : Devices()) {
        const std::vector<hid::HidInterfaceInfo> collections = device->Collections();
        out.insert(out.end(), collections.begin(), collections.end());
    }
    return true;
}

std::shared_ptr<hid::IHidDevice> EmulatorBackend::Open(const std::string& path, hid::HidOpenMode mode) {
    for (const auto& device : Devices()) {
        if (device->Exists(path)) {
            return device->Faults().accessDenied ? nullptr : device->Open(path, mode);
        }
    }
    return nullptr;
}

bool EmulatorBackend::AccessDenied(const std::string& path) {
    for (const auto& device : Devices()) {
        if (device->Exists(path)) return device->Faults().accessDenied;
    }
    return false;
}

bool EmulatorBackend::Exists(const std::string& path) {
    for (const auto& device : Devices()) {
        if (device->Exists(path)) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<hid::HidChangeWatch> EmulatorBackend::WatchChanges(std::function<void(hid::HidChange)> onChange) {
    uint64_t id = 0;
    {
        std::lock_guard lock(watchMutex_);
        id = nextWatcher_++;
        watchers_.emplace(id, std::move(onChange));
    }
    return std::make_unique<hid::HidChangeWatch>([this, id] {
        std::lock_guard lock(watchMutex_);
        watchers_.erase(id);
    });
}

void EmulatorBackend::NotifyWatchers() {
    std::lock_guard lock(watchMutex_);
    for (const auto& [id, onChange] : watchers_) {
        onChange(hid::HidChange::kInterfaces);
    }
}

}  // namespace morvek::emulator
