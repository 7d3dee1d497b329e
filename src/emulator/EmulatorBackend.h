#pragma once
// The emulated HID stack: a backend whose devices are firmware emulators that can be
// plugged in and out while hosts enumerate and talk to them.

#include <json/value.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "emulator/EmulatedDevice.h"
#include "emulator/EmulatedKind.h"
#include "platform/hid/HidAccess.h"
#include "platform/hid/HidBackend.h"

namespace morvek::emulator {

class EmulatorBackend : public hid::IHidBackend, public hid::IHidAccessReport {
public:
    EmulatorBackend() = default;
    ~EmulatorBackend() override;
    EmulatorBackend(const EmulatorBackend&) = delete;
    EmulatorBackend& operator=(const EmulatorBackend&) = delete;

    // Plugs in a factory-fresh device of this kind; one per kind. Attaching an attached kind
    // returns the existing device, plugged back in if it had vanished.
    EmulatedDevice& Attach(EmulatedKind kind);
    // Unplugs and forgets the device: its handles fail at once and waiting calls end.
    bool Detach(EmulatedKind kind);
    EmulatedDevice* Find(EmulatedKind kind);
    const EmulatedDevice* Find(EmulatedKind kind) const;

    // Per-report latency of every attached device and of those attached later.
    void SetLatency(int ms);

    // The state file holds every attached device's memories keyed by kind name. Loading
    // fills only attached devices; a missing or broken file, or one whose memories do not
    // fit, changes nothing and returns false.
    bool LoadState(const std::string& file);
    bool SaveState(const std::string& file) const;

    // One member per attached device, named by DumpKey; with both mice attached the
    // wireless one is "wireless-mouse".
    Json::Value Dump() const;
    // The device's dump, or null when that kind is not attached.
    Json::Value Dump(EmulatedKind kind) const;

    bool Enumerate(std::vector<hid::HidInterfaceInfo>& out) override;
    std::shared_ptr<hid::IHidDevice> Open(const std::string& path, hid::HidOpenMode mode) override;
    bool Exists(const std::string& path) override;
    // Notices on every attach, detach and plug change of a device (a vanishing fault too), on
    // the thread that made the change.
    std::unique_ptr<hid::HidChangeWatch> WatchChanges(std::function<void(hid::HidChange)> onChange) override;
    // IHidAccessReport: the device of path is present and its fault plan refuses access.
    bool AccessDenied(const std::string& path) override;

private:
    std::vector<std::shared_ptr<EmulatedDevice>> Devices() const;
    void NotifyWatchers();

    mutable std::mutex mutex_;
    std::map<EmulatedKind, std::shared_ptr<EmulatedDevice>> devices_;
    int latencyMs_ = 0;

    // Its own lock: notices run while a device holds its lock.
    std::mutex watchMutex_;
    std::map<uint64_t, std::function<void(hid::HidChange)>> watchers_;
    uint64_t nextWatcher_ = 0;
};

}  // namespace morvek::emulator
