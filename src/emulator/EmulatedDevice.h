#pragma once
// One emulated device: its USB HID interfaces, its firmware with the memories, the
// timing of its reports and the faults it has been told to show. Thread-safe: hosts read,
// write and abort from several threads while tests inspect it and change its faults.

#include <json/value.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "emulator/CommandReport.h"
#include "emulator/DeviceInterfaces.h"
#include "emulator/EmulatedKind.h"
#include "emulator/FaultPlan.h"
#include "emulator/Firmware.h"
#include "emulator/HandleState.h"
#include "platform/hid/HidBackend.h"

namespace morvek::emulator {

class EmulatedDevice : public std::enable_shared_from_this<EmulatedDevice> {
public:
    // Output reports kept for inspection: the last ones received, one headset light frame's worth.
    static constexpr size_t kKeptOutputReports = 12;
    // Input reports a handle buffers before the oldest is dropped, as the kernel does.
    static constexpr size_t kInputQueueDepth = 64;

    // A device fresh from the factory, plugged in. Create it with std::make_shared.
    explicit EmulatedDevice(EmulatedKind kind);
    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    EmulatedKind Kind() const { return kind_; }

    FaultPlan Faults() const;
    // A vanishAfterReports of 0 unplugs the device at once.
    void SetFaults(const FaultPlan& plan);
    void SetLatency(int ms);

    // Event reports on the consumer interface: key press 0x0200 + slot, release 0x0300 + slot,
    // 0x0401 sync request, 0x0404 notice. False when unplugged or out of range (slot 0-255,
    // code 0-0x04FF).
    bool Press(int slot);
    bool Release(int slot);
    bool SendEvent(uint16_t code);

    // Pulling the cable: open handles fail at once and waiting calls end; the stored memories
    // stay. Plugging it back makes it enumerable again.
    void Unplug();
    void Plug();
    bool Present() const;
    // Runs after every plug and unplug (a vanishing fault too), with the device's lock held: it
    // must not call into the device. The backend turns it into its hot-plug notice.
    void SetPresenceListener(std::function<void()> listener);

    std::vector<uint8_t> DeviceInfo() const;
    std::vector<uint8_t> Params() const;
    std::vector<uint8_t> KeyTable() const;
    std::vector<uint8_t> KeyAttrTable() const;
    std::vector<uint8_t> MacroMemory() const;
    size_t MacroHighWater() const;
    // The mouse's shoot pattern memory (command 0x17); empty on other kinds.
    std::vector<uint8_t> ShootMemory() const;
    size_t ShootHighWater() const;
    std::vector<uint8_t> LightTable() const;
    std::vector<uint8_t> LastFrame() const;
    std::vector<uint8_t> PowerStatus() const;
    uint64_t FrameCount() const;
    uint64_t ReportCount() const;
    bool ConfigOpen() const;
    bool SoftwareLight() const;
    // The last output reports other than command reports (the headset's light reports), oldest first.
    std::vector<std::vector<uint8_t>> OutputReports() const;
    uint64_t OutputReportCount() const;

    // Battery level in percent, charging state (0 on battery, 1 charging, 2 charged) and,
    // for the pad, the phone on its charging surface (1 iPhone, 2 Samsung, 3 other, 0 none).
    void SetPowerStatus(uint8_t batteryPercent, uint8_t chargingState, uint8_t phoneType = 0);

    FirmwareMemory Memory() const;
    // Replaces the stored memories but the information record; false (nothing changed) when a
    // size differs from this kind's or the macro high-water mark lies past the macro memory.
    bool RestoreMemory(const FirmwareMemory& memory);

    // The memories and counters in the `emulator dump` layout.
    Json::Value Dump() const;

    // One entry per (interface, top-level collection); none while unplugged.
    std::vector<hid::HidInterfaceInfo> Collections() const;
    bool Exists(const std::string& path) const;
    // nullptr when unplugged, for an unknown path, or when an exclusive open conflicts.
    std::shared_ptr<hid::IHidDevice> Open(const std::string& path, hid::HidOpenMode mode);

private:
    friend class EmulatedHandle;

    hid::IoResult WriteReport(HandleState& handle, std::span<const uint8_t> report, int timeoutMs);
    hid::IoResult ReadReport(HandleState& handle, std::span<uint8_t> buffer, int timeoutMs);
    void AbortHandle(HandleState& handle);
    void CloseHandle(const std::shared_ptr<HandleState>& handle);
    std::vector<uint8_t> ReportDescriptorOf(size_t interfaceIndex) const;

    // Waits until the deadline; false when the handle was aborted or lost its device first.
    bool WaitUntil(std::unique_lock<std::mutex>& lock, HandleState& handle, Clock::time_point deadline);
    void ReceiveOutputReport(size_t interfaceIndex, std::vector<uint8_t> report, Clock::time_point at);
    void ReceiveCommand(const std::vector<uint8_t>& report, Clock::time_point at);
    // The answer the device gives under its faults; nothing when it stays silent.
    std::optional<CommandReport> AnswerCommand(const CommandReport& request);
    void DeliverInput(size_t interfaceIndex, std::vector<uint8_t> report, Clock::time_point readyAt);
    void UnplugLocked();

    // One enumerated collection and where it sits in interfaces_.
    struct CollectionEntry {
        hid::HidInterfaceInfo info;
        size_t interfaceIndex = 0;
        size_t collectionIndex = 0;
    };
    static std::vector<CollectionEntry> BuildEntries(EmulatedKind kind, const DeviceInterfaces& device);
    const CollectionEntry* FindEntry(const std::string& path) const;

    const EmulatedKind kind_;
    const DeviceInterfaces interfaces_;
    const std::vector<CollectionEntry> entries_;
    size_t commandInterface_ = 0;

    mutable std::mutex mutex_;
    Firmware firmware_;
    FaultPlan faults_;
    bool present_ = true;
    std::function<void()> presenceListener_;
    uint64_t reports_ = 0;
    std::deque<std::vector<uint8_t>> outputReports_;
    uint64_t outputReportCount_ = 0;
    std::vector<std::shared_ptr<HandleState>> handles_;
    Clock::time_point outputPipeFreeAt_{};
};

}  // namespace morvek::emulator
