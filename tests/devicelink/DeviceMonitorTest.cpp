// The hot-plug monitor: passes over the live device list, announcements to its owner, the
// first-scan notice, skipped matching of paths that match nothing, enumeration failures,
// passes driven by the backend's hot-plug notices (no polling while nothing changes), and
// stopping its thread.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "DeviceModelTestSupport.h"
#include "devicelink/DeviceMonitor.h"
#include "emulator/EmulatorBackend.h"
#include "platform/Trace.h"
#include "support/ScriptedHid.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using test::ConsumerCollectionDescriptor;
using test::InterfaceInfo;
using test::ScriptedHidBackend;
using test::VendorCollectionDescriptor;

class RecordingOwner : public IDeviceMonitorOwner {
public:
    void OnDeviceArrival(size_t slot, const DeviceEntry& entry) override {
        std::lock_guard lock(mutex);
        arrivals.push_back(slot);
        arrivalEntries.push_back(entry);
        changed.notify_all();
    }
    void OnDeviceRemoval(size_t slot, const DeviceEntry& entry) override {
        std::lock_guard lock(mutex);
        removals.push_back(slot);
        removalEntries.push_back(entry);
        changed.notify_all();
    }
    void OnFirstScan() override {
        std::lock_guard lock(mutex);
        ++firstScans;
        changed.notify_all();
    }
    void OnAccessDeniedChanged(const std::vector<DeviceEntry>& list) override {
        std::lock_guard lock(mutex);
        denied.push_back(list);
        changed.notify_all();
    }
    template <class Predicate>
    bool WaitFor(Predicate done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(30), done);
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<size_t> arrivals;
    std::vector<DeviceEntry> arrivalEntries;
    std::vector<size_t> removals;
    std::vector<DeviceEntry> removalEntries;
    int firstScans = 0;
    std::vector<std::vector<DeviceEntry>> denied;  // every announced list, in order
};

// Captures trace lines for one test.
class TraceCapture {
public:
    TraceCapture() : wasEnabled_(TraceEnabled()) {
        SetTraceEnabled(true);
        SetTraceSink([this](const std::string& line) {
            std::lock_guard lock(mutex_);
            lines_.push_back(line);
        });
    }
    ~TraceCapture() {
        SetTraceSink({});
        SetTraceEnabled(wasEnabled_);
    }
    int Count(const std::string& line) const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(std::count(lines_.begin(), lines_.end(), line));
    }

private:
    bool wasEnabled_;
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

// A scripted backend that gives hot-plug notices when the test says so.
class NoticeBackend : public ScriptedHidBackend {
public:
    std::unique_ptr<hid::HidChangeWatch> WatchChanges(std::function<void(hid::HidChange)> onChange) override {
        std::lock_guard lock(noticeMutex_);
        onChange_ = std::move(onChange);
        return std::make_unique<hid::HidChangeWatch>([this] {
            std::lock_guard lock(noticeMutex_);
            onChange_ = {};
        });
    }
    void Notify(hid::HidChange change) {
        std::lock_guard lock(noticeMutex_);
        if (onChange_) onChange_(change);
    }

private:
    std::mutex noticeMutex_;
    std::function<void(hid::HidChange)> onChange_;
};

// Waits (up to 10 s) until the monitor's thread has run at least passes passes.
bool WaitForPasses(const DeviceMonitor& monitor, uint64_t passes) {
    for (int i = 0; i < 1000 && monitor.ThreadPassCount() < passes; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return monitor.ThreadPassCount() >= passes;
}

// Three poll intervals: a polling monitor would run three passes in it.
constexpr auto kQuietTime = 3 * DeviceMonitor::kPollInterval;

TEST(DeviceMonitorTest, NoDeviceAnnouncesNothingAndTheFirstScanOnce) {
    emulator::EmulatorBackend backend;
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    const MonitorPass first = monitor.RunOnePass();
    EXPECT_TRUE(first.enumerated);
    EXPECT_TRUE(first.arrivals.empty());
    EXPECT_TRUE(first.removals.empty());
    EXPECT_EQ(owner.firstScans, 1);
    monitor.RunOnePass();
    monitor.RunOnePass();
    EXPECT_EQ(owner.firstScans, 1);
    EXPECT_TRUE(owner.arrivals.empty());
    EXPECT_TRUE(owner.removals.empty());
}

TEST(DeviceMonitorTest, AKeyboardArrivesAsSlotsZeroAndOneAndLeavesAgain) {
    emulator::EmulatorBackend backend;
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    monitor.RunOnePass();
    emulator::EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);

    // In enumeration order: the emulator lists collection 3 (event) before 4 (command).
    const MonitorPass plugged = monitor.RunOnePass();
    EXPECT_EQ(plugged.arrivals, (std::vector<size_t>{1, 0}));
    ASSERT_EQ(owner.arrivalEntries.size(), 2u);
    EXPECT_EQ(owner.arrivalEntries[1].path, test::kEmuKeyboardCommand);
    EXPECT_EQ(owner.arrivalEntries[1].role, kRoleCommand);
    EXPECT_EQ(owner.arrivalEntries[0].path, test::kEmuKeyboardEvent);
    EXPECT_EQ(owner.arrivalEntries[0].role, kRoleEvent);
    EXPECT_EQ(monitor.Slots().Slot(0).present, 1);

    // Nothing changes while it stays.
    const MonitorPass stays = monitor.RunOnePass();
    EXPECT_TRUE(stays.arrivals.empty());
    EXPECT_TRUE(stays.removals.empty());

    keyboard.Unplug();
    const MonitorPass unplugged = monitor.RunOnePass();
    EXPECT_EQ(unplugged.removals, (std::vector<size_t>{0, 1}));
    ASSERT_EQ(owner.removalEntries.size(), 2u);
    EXPECT_EQ(owner.removalEntries[0].path, test::kEmuKeyboardCommand);  // the slot as it was
    EXPECT_EQ(monitor.Slots().Slot(0).present, 0);
    EXPECT_EQ(monitor.Slots().Slot(0).path, "");
    EXPECT_EQ(monitor.Slots().Slot(0).kind, kKindKeyboard);

    keyboard.Plug();
    EXPECT_EQ(monitor.RunOnePass().arrivals, (std::vector<size_t>{1, 0}));
    EXPECT_EQ(owner.firstScans, 1);
}

TEST(DeviceMonitorTest, ASecondIdenticalKeyboardIsIgnoredUntilTheFirstLeaves) {
    emulator::EmulatorBackend first;
    emulator::EmulatorBackend second;
    test::TwoHostBackend backend(first, second);
    first.Attach(EmulatedKind::Keyboard);
    second.Attach(EmulatedKind::Keyboard);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    EXPECT_EQ(monitor.RunOnePass().arrivals, (std::vector<size_t>{1, 0}));
    EXPECT_EQ(monitor.Slots().Slot(0).path, test::kEmuKeyboardCommand);
    EXPECT_TRUE(monitor.RunOnePass().arrivals.empty());

    first.Detach(EmulatedKind::Keyboard);
    const MonitorPass pass = monitor.RunOnePass();
    EXPECT_EQ(pass.removals, (std::vector<size_t>{0, 1}));
    // The second keyboard takes the freed slots on the next pass.
    EXPECT_EQ(monitor.RunOnePass().arrivals, (std::vector<size_t>{1, 0}));
    EXPECT_EQ(monitor.Slots().Slot(0).path, "second:" + std::string(test::kEmuKeyboardCommand));
}

TEST(DeviceMonitorTest, EveryKindTakesItsSlotsAndNoEnumerationRunsWhileNoneIsFree) {
    emulator::EmulatorBackend backend;
    for (EmulatedKind kind : {EmulatedKind::Keyboard, EmulatedKind::Mouse, EmulatedKind::MousePad,
                              EmulatedKind::Headset, EmulatedKind::WirelessMouse})
        backend.Attach(kind);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    const MonitorPass pass = monitor.RunOnePass();
    EXPECT_EQ(pass.arrivals.size(), 9u);
    EXPECT_FALSE(monitor.Slots().HasFreeSlot());
    const MonitorPass full = monitor.RunOnePass();
    EXPECT_FALSE(full.enumerated);
    EXPECT_TRUE(full.arrivals.empty());
    EXPECT_TRUE(full.removals.empty());
}

TEST(DeviceMonitorTest, PathsThatMatchNothingAreNotMatchedAgainWhileTheyStay) {
    ScriptedHidBackend backend;
    const std::string unknown = "/dev/hidraw7&vid_046d&pid_c52b&mi_00";
    // Keyboard numbers on collection 4, but a consumer usage: the probe shows it belongs to no row.
    const std::string wrongUsage = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";
    backend.Add(InterfaceInfo(unknown, 0x046D, 0xC52B, 0x01, 0x02), VendorCollectionDescriptor());
    backend.Add(InterfaceInfo(wrongUsage, 0x0C45, 0x764E, 0x0C, 0x01), ConsumerCollectionDescriptor());
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);

    EXPECT_EQ(monitor.RunOnePass().pathsMatched, 2u);
    EXPECT_EQ(backend.OpenCount(wrongUsage), 1);
    EXPECT_EQ(monitor.KnownUnmatchedCount(), 2u);
    EXPECT_EQ(monitor.RunOnePass().pathsMatched, 0u);
    EXPECT_EQ(backend.OpenCount(wrongUsage), 1);

    // A keyboard plugged in meanwhile is still matched on the next pass.
    backend.Add(InterfaceInfo("/dev/hidraw9&vid_0c45&pid_764e&mi_01&col03", 0x0C45, 0x764E, 0x0C, 0x01),
                ConsumerCollectionDescriptor());
    const MonitorPass pass = monitor.RunOnePass();
    EXPECT_EQ(pass.pathsMatched, 1u);
    EXPECT_EQ(pass.arrivals, (std::vector<size_t>{1}));

    // A path that left the list is matched afresh when it comes back.
    backend.Remove(wrongUsage);
    monitor.RunOnePass();
    EXPECT_EQ(monitor.KnownUnmatchedCount(), 1u);
    backend.Add(InterfaceInfo(wrongUsage, 0x0C45, 0x764E, 0x0C, 0x01), ConsumerCollectionDescriptor());
    monitor.RunOnePass();
    EXPECT_EQ(backend.OpenCount(wrongUsage), 2);
}

TEST(DeviceMonitorTest, AnInterfaceThatCannotBeOpenedIsTriedAgainOnEveryPass) {
    ScriptedHidBackend backend;
    const std::string command = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";
    backend.Add(InterfaceInfo(command, 0x0C45, 0x764E, 0xFF1C, 0x92), VendorCollectionDescriptor());
    backend.SetRefuseOpen(command, true);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    EXPECT_TRUE(monitor.RunOnePass().arrivals.empty());
    EXPECT_TRUE(monitor.RunOnePass().arrivals.empty());
    EXPECT_EQ(backend.OpenCount(command), 2);
    EXPECT_EQ(monitor.KnownUnmatchedCount(), 0u);
    backend.SetRefuseOpen(command, false);
    EXPECT_EQ(monitor.RunOnePass().arrivals, (std::vector<size_t>{0}));
}

TEST(DeviceMonitorTest, ADeviceThisUserMayNotOpenIsAnnouncedUntilItOpensOrLeaves) {
    emulator::EmulatorBackend backend;
    emulator::EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    emulator::FaultPlan faults = keyboard.Faults();
    faults.accessDenied = true;
    keyboard.SetFaults(faults);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);

    MonitorPass pass = monitor.RunOnePass();
    EXPECT_TRUE(pass.arrivals.empty());
    EXPECT_TRUE(pass.deniedChanged);
    ASSERT_EQ(owner.denied.size(), 1u);
    ASSERT_EQ(owner.denied[0].size(), 2u) << "its command and event interfaces";
    for (const DeviceEntry& entry : owner.denied[0]) {
        EXPECT_EQ(entry.kind, kKindKeyboard);
        EXPECT_EQ(entry.vendorId, 0x0C45);
        EXPECT_FALSE(entry.path.empty());
    }
    EXPECT_FALSE(monitor.RunOnePass().deniedChanged) << "an unchanged list is not announced again";
    EXPECT_EQ(owner.denied.size(), 1u);

    // The rule was installed and the device plugged in again: it arrives, and the list empties.
    faults.accessDenied = false;
    keyboard.SetFaults(faults);
    pass = monitor.RunOnePass();
    std::sort(pass.arrivals.begin(), pass.arrivals.end());
    EXPECT_EQ(pass.arrivals, (std::vector<size_t>{0, 1}));
    ASSERT_EQ(owner.denied.size(), 2u);
    EXPECT_TRUE(owner.denied[1].empty());
    EXPECT_TRUE(monitor.Denied().Entries().empty());
}

TEST(DeviceMonitorTest, ADeniedDeviceThatIsUnpluggedLeavesTheList) {
    emulator::EmulatorBackend backend;
    emulator::EmulatedDevice& pad = backend.Attach(EmulatedKind::MousePad);
    emulator::FaultPlan faults = pad.Faults();
    faults.accessDenied = true;
    pad.SetFaults(faults);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    monitor.RunOnePass();
    ASSERT_EQ(owner.denied.size(), 1u);
    EXPECT_FALSE(owner.denied[0].empty());
    backend.Detach(EmulatedKind::MousePad);
    EXPECT_TRUE(monitor.RunOnePass().deniedChanged);
    ASSERT_EQ(owner.denied.size(), 2u);
    EXPECT_TRUE(owner.denied[1].empty());
}

TEST(DeviceMonitorTest, AnInterfaceThatFailsToOpenForOtherReasonsIsNotListedAsDenied) {
    ScriptedHidBackend backend;
    const std::string command = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";
    backend.Add(InterfaceInfo(command, 0x0C45, 0x764E, 0xFF1C, 0x92), VendorCollectionDescriptor());
    backend.SetRefuseOpen(command, true);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    EXPECT_FALSE(monitor.RunOnePass().deniedChanged);
    EXPECT_TRUE(owner.denied.empty());
}

TEST(DeviceMonitorTest, AnEnumerationFailureSkipsThePassAndPollingGoesOn) {
    TraceCapture trace;
    ScriptedHidBackend backend;
    backend.Add(InterfaceInfo("/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04", 0x0C45, 0x764E, 0xFF1C, 0x92),
                VendorCollectionDescriptor());
    backend.SetEnumerationFails(true);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    const MonitorPass failed = monitor.RunOnePass();
    EXPECT_TRUE(failed.enumerationFailed);
    EXPECT_TRUE(failed.arrivals.empty());
    EXPECT_EQ(owner.firstScans, 1);
    monitor.RunOnePass();
    EXPECT_EQ(trace.Count("device monitor: enumeration failed; polling goes on"), 1);  // once per failure streak
    backend.SetEnumerationFails(false);
    EXPECT_EQ(monitor.RunOnePass().arrivals, (std::vector<size_t>{0}));
}

TEST(DeviceMonitorTest, TheThreadAnnouncesDevicesAndStopsAtOnceWithItsTrace) {
    TraceCapture trace;
    emulator::EmulatorBackend backend;
    backend.Attach(EmulatedKind::Keyboard);
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    monitor.Start();
    EXPECT_TRUE(monitor.IsRunning());
    ASSERT_TRUE(owner.WaitFor([&] { return owner.firstScans == 1 && owner.arrivals.size() == 2; }));
    backend.Detach(EmulatedKind::Keyboard);
    ASSERT_TRUE(owner.WaitFor([&] { return owner.removals.size() == 2; }));
    monitor.Stop();
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_EQ(trace.Count(DeviceMonitor::kStopTrace), 1);

    // A new thread life gives a new first-scan notice.
    monitor.Start();
    ASSERT_TRUE(owner.WaitFor([&] { return owner.firstScans == 2; }));
    monitor.Stop();
    EXPECT_EQ(trace.Count(DeviceMonitor::kStopTrace), 2);
}

TEST(DeviceMonitorTest, EmulatedArrivalAndRemovalAreSeenWithoutPolling) {
    emulator::EmulatorBackend backend;
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    monitor.Start();
    ASSERT_TRUE(owner.WaitFor([&] { return owner.firstScans == 1; }));
    EXPECT_TRUE(monitor.EventDriven());
    std::this_thread::sleep_for(kQuietTime);
    EXPECT_EQ(monitor.ThreadPassCount(), 1u);  // nothing changed, nothing ran

    backend.Attach(EmulatedKind::Keyboard);
    ASSERT_TRUE(owner.WaitFor([&] { return owner.arrivals.size() == 2; }));
    // A device that vanishes on its own (no detach by the host) is a notice too.
    emulator::FaultPlan vanish;
    vanish.vanishAfterReports = 0;
    backend.Find(EmulatedKind::Keyboard)->SetFaults(vanish);
    ASSERT_TRUE(owner.WaitFor([&] { return owner.removals.size() == 2; }));
    backend.Attach(EmulatedKind::Keyboard);  // plugged back in
    ASSERT_TRUE(owner.WaitFor([&] { return owner.arrivals.size() == 4; }));

    std::this_thread::sleep_for(kQuietTime);
    const uint64_t passes = monitor.ThreadPassCount();
    std::this_thread::sleep_for(kQuietTime);
    EXPECT_EQ(monitor.ThreadPassCount(), passes);
    monitor.Stop();
}

TEST(DeviceMonitorTest, AnInterfaceThatCannotBeOpenedYetIsRetriedUntilItOpens) {
    NoticeBackend backend;
    RecordingOwner owner;
    DeviceMonitor monitor(backend, owner);
    monitor.Start();
    ASSERT_TRUE(owner.WaitFor([&] { return owner.firstScans == 1; }));
    const std::string command = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";
    backend.Add(InterfaceInfo(command, 0x0C45, 0x764E, 0xFF1C, 0x92), VendorCollectionDescriptor());
    backend.SetRefuseOpen(command, true);  // its permissions are not given yet
    backend.Notify(hid::HidChange::kInterfaces);
    ASSERT_TRUE(WaitForPasses(monitor, 4));  // tried again without a further notice
    backend.SetRefuseOpen(command, false);
    ASSERT_TRUE(owner.WaitFor([&] { return owner.arrivals == std::vector<size_t>{0}; }));
    std::this_thread::sleep_for(kQuietTime);
    const uint64_t passes = monitor.ThreadPassCount();
    std::this_thread::sleep_for(kQuietTime);
    EXPECT_EQ(monitor.ThreadPassCount(), passes);  // opened: the retries end
    monitor.Stop();
}

TEST(DeviceMonitorTest, ABackendWithoutNoticesOrWhoseWatchFailedIsPolled) {
    const std::string command = "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04";
    for (const bool watchFails : {false, true}) {
        SCOPED_TRACE(watchFails);
        ScriptedHidBackend silent;
        NoticeBackend noticing;
        ScriptedHidBackend& backend = watchFails ? noticing : silent;
        RecordingOwner owner;
        DeviceMonitor monitor(backend, owner);
        monitor.Start();
        ASSERT_TRUE(owner.WaitFor([&] { return owner.firstScans == 1; }));
        EXPECT_EQ(monitor.EventDriven(), watchFails);
        if (watchFails) noticing.Notify(hid::HidChange::kWatchLost);
        ASSERT_TRUE(WaitForPasses(monitor, 3));
        EXPECT_FALSE(monitor.EventDriven());
        backend.Add(InterfaceInfo(command, 0x0C45, 0x764E, 0xFF1C, 0x92), VendorCollectionDescriptor());
        ASSERT_TRUE(owner.WaitFor([&] { return owner.arrivals == std::vector<size_t>{0}; }));
        monitor.Stop();
    }
}

}  // namespace
}  // namespace morvek
