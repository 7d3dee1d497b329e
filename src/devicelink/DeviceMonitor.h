#pragma once
// DeviceMonitor: the hot-plug monitor as a core component. It owns the live device list and
// runs passes on its own thread: while some slot is free a pass enumerates the HID interfaces
// and matches each path against the match table, then checks that every present slot's path
// still exists. Each claimed slot and each vanished slot is announced synchronously to the
// owner, which handles it before the monitor goes on; after the first pass the owner gets a
// once-only notice.
//
// Passes are event-driven where the backend gives hot-plug notices (udev on Linux, the
// emulator's attach and detach): the thread sleeps until a notice comes, so nothing runs while
// nothing changes. It runs another pass after 100 ms only while something is left to retry (an
// interface that could not be opened yet, a failed enumeration); a pass that freed a slot is
// followed by another at once. A backend without notices, or whose watch failed, is polled
// every 100 ms.
//
// The thread waits on a condition variable; Stop and every notice wake it at once. The owner's
// callbacks run on the monitor thread: a window that handles slots on its user-interface thread
// blocks in the callback until that is done, and must then not call Stop while the
// user-interface thread waits for a callback (RequestStop, keep handling events, then Join).
//
// An enumeration failure does not end the thread (a transient failure would end hot-plug until
// the program restarts); the pass is skipped with a trace and tried again after 100 ms. Paths known to match nothing (no row with their numbers, or a
// probe that showed other usages) are not matched again while they stay enumerated. An
// interface whose numbers rows of several kinds share (mouse and pad) may cost one command
// report on the monitor thread: its device is asked for its kind before a slot is claimed.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "devicelink/DeniedDeviceList.h"
#include "devicelink/DeviceSlotList.h"
#include "platform/hid/HidBackend.h"

namespace morvek {

// Receives the monitor's announcements on the monitor thread; the monitor waits for each call.
class IDeviceMonitorOwner {
public:
    virtual ~IDeviceMonitorOwner() = default;
    // A path was matched and claimed: slot is its index, entry the claimed slot (path set).
    virtual void OnDeviceArrival(size_t slot, const DeviceEntry& entry) = 0;
    // The slot's interface is gone; the slot was freed already. entry is the slot as it was
    // (present, with its path).
    virtual void OnDeviceRemoval(size_t slot, const DeviceEntry& entry) = 0;
    // After the first pass of a monitor thread (or the first pass ever run), once.
    virtual void OnFirstScan() = 0;
    // The devices seen but not opened because this user may not open them changed (see
    // DeniedDeviceList); denied is the whole new list.
    virtual void OnAccessDeniedChanged(const std::vector<DeviceEntry>& denied) { (void)denied; }
};

// What one pass did.
struct MonitorPass {
    bool enumerated = false;         // a slot was free, so the interfaces were listed
    bool enumerationFailed = false;
    size_t pathsMatched = 0;         // paths that went through the match (not skipped)
    std::vector<size_t> arrivals;
    std::vector<size_t> removals;
    // A matching interface could not be opened: it is tried again on a later pass.
    bool openFailed = false;
    bool deniedChanged = false;      // the list of devices this user may not open changed
};

class DeviceMonitor {
public:
    static constexpr std::chrono::milliseconds kPollInterval{100};
    static constexpr const char* kStopTrace = "抓取设备线程设定退出";

    DeviceMonitor(hid::IHidBackend& backend, IDeviceMonitorOwner& owner);
    // Stop().
    ~DeviceMonitor();
    DeviceMonitor(const DeviceMonitor&) = delete;
    DeviceMonitor& operator=(const DeviceMonitor&) = delete;

    DeviceSlotList& Slots() { return slots_; }
    const DeviceSlotList& Slots() const { return slots_; }
    // The devices present that this user may not open.
    const DeniedDeviceList& Denied() const { return denied_; }

    // Starts the monitor thread: a pass at once, then one after each hot-plug notice (or every
    // 100 ms when the backend gives none).
    void Start();
    // Wakes the thread and makes it end after the pass it is in; it writes the stop trace.
    void RequestStop();
    void Join();
    void Stop() {
        RequestStop();
        Join();
    }
    bool IsRunning() const;

    // One pass as the thread runs it. Tests and single-shot front ends call it directly (not
    // while the thread runs).
    MonitorPass RunOnePass();

    // Paths remembered as matching nothing (for tests and diagnostics).
    size_t KnownUnmatchedCount() const;
    // Passes the thread has run since Start (for tests and diagnostics).
    uint64_t ThreadPassCount() const;
    // Whether the thread sleeps until a hot-plug notice rather than polling.
    bool EventDriven() const;

private:
    void Run();
    void OnChange(hid::HidChange change);
    // How long the thread may sleep after a pass: until a notice (nothing), or a retry time.
    std::optional<std::chrono::milliseconds> RestAfter(const MonitorPass& pass) const;
    void Scan(MonitorPass& pass);
    void CheckPresence(MonitorPass& pass);
    // Matches one path: the claimed slot, or -1. Sets unmatched when the path can never match
    // while it stays enumerated; sets the pass's openFailed when it may match once it can be
    // opened, and its deniedChanged when the list of refused devices changed.
    int MatchPath(const std::string& path, bool& unmatched, MonitorPass& pass);

    hid::IHidBackend& backend_;
    IDeviceMonitorOwner& owner_;
    DeviceSlotList slots_;
    DeniedDeviceList denied_;

    // Touched only by the pass (one at a time).
    std::set<std::string> unmatched_;
    bool firstScanDone_ = false;
    bool enumerationFailing_ = false;
    std::atomic<size_t> unmatchedCount_{0};

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    uint64_t changes_ = 0;     // hot-plug notices so far
    bool watching_ = false;    // notices come (a watch exists and has not failed)
    std::atomic<uint64_t> threadPasses_{0};
    std::thread thread_;
};

}  // namespace morvek
