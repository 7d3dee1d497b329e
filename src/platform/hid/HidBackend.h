#pragma once
// The HID layer as the rest of the program sees it: a backend that lists and opens
// HID interfaces, and an opened interface that exchanges reports. Two backends exist:
// the hidraw one for real devices and the device emulator.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace morvek::hid {

// One entry per (USB interface, top-level collection). Report lengths count the
// report id byte, as the HID capabilities of the platform report them.
struct HidInterfaceInfo {
    std::string path;              // keeps the markers "vid_", "pid_", "&mi_", "&col"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;    // firmware version (bcdDevice)
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0; // 1-based in descriptor order; 0 when the interface has one collection
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;
};

enum class IoStatus { Ok, TimedOut, Aborted, Failed };

struct IoResult {
    IoStatus status = IoStatus::Failed;
    size_t bytes = 0;
    bool ok() const { return status == IoStatus::Ok; }
};

struct HidOpenMode {
    bool read = true;
    bool write = true;
    bool exclusive = false;
};

// An opened HID interface (one top-level collection). Thread-safe: one thread may wait
// in Read while another writes or aborts.
class IHidDevice {
public:
    virtual ~IHidDevice() = default;

    virtual const HidInterfaceInfo& Info() const = 0;
    // The report descriptor of the whole USB interface this collection belongs to.
    virtual std::vector<uint8_t> ReportDescriptor() const = 0;

    // Writes one output report (byte 0 is the report id). timeoutMs < 0 waits without limit.
    virtual IoResult Write(std::span<const uint8_t> report, int timeoutMs) = 0;
    // Reads one input report of this collection into buffer (byte 0 is the report id).
    // timeoutMs < 0 waits until a report arrives or Abort is called.
    virtual IoResult Read(std::span<uint8_t> buffer, int timeoutMs) = 0;
    // Sends an output report outside the interrupt pipe (the headset's light reports).
    virtual bool SetOutputReport(std::span<const uint8_t> report) = 0;

    // Ends every waiting Read or Write at once with IoStatus::Aborted; later calls fail
    // at once too. Used when the interface is being closed.
    virtual void Abort() = 0;
};

// A subscription to a backend's hot-plug notices; destroying it ends them (no notice runs once
// the destructor has returned).
class HidChangeWatch {
public:
    explicit HidChangeWatch(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    ~HidChangeWatch() {
        if (cancel_) cancel_();
    }
    HidChangeWatch(const HidChangeWatch&) = delete;
    HidChangeWatch& operator=(const HidChangeWatch&) = delete;

private:
    std::function<void()> cancel_;
};

// What a hot-plug notice says: an interface may have come or gone, or the backend can give no
// more notices (its watch failed), so its user has to look for changes itself from now on.
enum class HidChange { kInterfaces, kWatchLost };

class IHidBackend {
public:
    virtual ~IHidBackend() = default;

    // Lists every present HID interface collection; false when the platform enumeration failed.
    virtual bool Enumerate(std::vector<HidInterfaceInfo>& out) = 0;
    // Opens one enumerated path; nullptr when it cannot be opened.
    virtual std::shared_ptr<IHidDevice> Open(const std::string& path, HidOpenMode mode) = 0;
    // Cheap presence check of a path seen before.
    virtual bool Exists(const std::string& path) = 0;
    // Hot-plug notices: onChange runs, on a thread of the backend's, whenever an interface may
    // have come or gone; it must be quick and must not call into the backend. Nothing when the
    // backend cannot tell: its user then has to look for changes itself.
    virtual std::unique_ptr<HidChangeWatch> WatchChanges(std::function<void(HidChange)> /*onChange*/) {
        return nullptr;
    }
};

}  // namespace morvek::hid
