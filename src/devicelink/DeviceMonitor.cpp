#include "devicelink/DeviceMonitor.h"

#include <algorithm>

#include "devicelink/DeviceTables.h"
#include "devicelink/HidInterfaceHandle.h"
#include "platform/hid/HidAccess.h"
#include "platform/Trace.h"

namespace morvek {
namespace {

bool SameFourNumbers(const DeviceEntry& a, const DeviceEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber;
}

bool SameSixNumbers(const DeviceEntry& a, const DeviceEntry& b) {
    return SameFourNumbers(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

// Some row of the match table has the entry's numbers (four, or six with the usages).
bool AnyRow(const DeviceEntry& entry, bool withUsages) {
    const auto table = InterfaceMatchTable();
    return std::any_of(table.begin(), table.end(), [&](const DeviceEntry& row) {
        return withUsages ? SameSixNumbers(row, entry) : SameFourNumbers(row, entry);
    });
}

}  // namespace

DeviceMonitor::DeviceMonitor(hid::IHidBackend& backend, IDeviceMonitorOwner& owner)
    : backend_(backend), owner_(owner) {}

DeviceMonitor::~DeviceMonitor() { Stop(); }

void DeviceMonitor::Start() {
    std::lock_guard lock(mutex_);
    if (thread_.joinable()) return;
    stop_ = false;
    firstScanDone_ = false;  // the notice comes once per thread life
    threadPasses_ = 0;
    thread_ = std::thread([this] { Run(); });
}

void DeviceMonitor::RequestStop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
}

void DeviceMonitor::Join() {
    std::thread thread;
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable() || thread_.get_id() == std::this_thread::get_id()) return;
        thread = std::move(thread_);
    }
    thread.join();
}

bool DeviceMonitor::IsRunning() const {
    std::lock_guard lock(mutex_);
    return thread_.joinable();
}

size_t DeviceMonitor::KnownUnmatchedCount() const { return unmatchedCount_.load(); }

uint64_t DeviceMonitor::ThreadPassCount() const { return threadPasses_.load(); }

bool DeviceMonitor::EventDriven() const {
    std::lock_guard lock(mutex_);
    return watching_;
}

void DeviceMonitor::OnChange(hid::HidChange change) {
    {
        std::lock_guard lock(mutex_);
        ++changes_;
        if (change == hid::HidChange::kWatchLost) watching_ = false;
    }
    wake_.notify_all();
}

std::optional<std::chrono::milliseconds> DeviceMonitor::RestAfter(const MonitorPass& pass) const {
    // A freed slot may be what a waiting interface needs.
    if (!pass.removals.empty()) return std::chrono::milliseconds(0);
    if (!watching_ || pass.enumerationFailed || pass.openFailed) return kPollInterval;
    return std::nullopt;
}

void DeviceMonitor::Run() {
    using Clock = std::chrono::steady_clock;
    // Made outside the lock: a notice takes the backend's lock, then this one.
    std::unique_ptr<hid::HidChangeWatch> watch =
        backend_.WatchChanges([this](hid::HidChange change) { OnChange(change); });
    {
        std::lock_guard lock(mutex_);
        watching_ = watch != nullptr;
    }
    for (;;) {
        uint64_t seen = 0;
        {
            std::lock_guard lock(mutex_);
            if (stop_) break;
            seen = changes_;
        }
        const Clock::time_point started = Clock::now();
        const MonitorPass pass = RunOnePass();
        ++threadPasses_;
        std::unique_lock lock(mutex_);
        const auto woken = [&] { return stop_ || changes_ != seen; };
        if (const auto rest = RestAfter(pass)) {
            Clock::time_point next = started + *rest;
            // A pass that took longer than the rest is followed by a whole rest.
            if (const Clock::time_point now = Clock::now(); next <= now) next = now + *rest;
            wake_.wait_until(lock, next, woken);
        } else {
            wake_.wait(lock, woken);
        }
        if (stop_) break;
    }
    watch.reset();
    Trace(kStopTrace);
}

MonitorPass DeviceMonitor::RunOnePass() {
    MonitorPass pass;
    Scan(pass);
    if (!firstScanDone_) {
        firstScanDone_ = true;
        owner_.OnFirstScan();
    }
    CheckPresence(pass);
    return pass;
}

void DeviceMonitor::Scan(MonitorPass& pass) {
    if (!slots_.HasFreeSlot()) return;
    pass.enumerated = true;
    std::vector<hid::HidInterfaceInfo> interfaces;
    if (!backend_.Enumerate(interfaces)) {
        pass.enumerationFailed = true;
        if (!enumerationFailing_) Trace("device monitor: enumeration failed; polling goes on");
        enumerationFailing_ = true;
        return;
    }
    enumerationFailing_ = false;

    std::set<std::string> listed;
    for (const hid::HidInterfaceInfo& info : interfaces) {
        listed.insert(info.path);
        if (unmatched_.contains(info.path)) continue;
        ++pass.pathsMatched;
        bool unmatched = false;
        const int slot = MatchPath(info.path, unmatched, pass);
        if (unmatched) unmatched_.insert(info.path);
        if (slot >= 0) {
            const auto index = static_cast<size_t>(slot);
            pass.arrivals.push_back(index);
            owner_.OnDeviceArrival(index, slots_.Slot(index));
        }
    }
    // A path that left the list is matched afresh when it comes back.
    std::erase_if(unmatched_, [&](const std::string& path) { return !listed.contains(path); });
    unmatchedCount_ = unmatched_.size();
    if (denied_.KeepListed(listed)) pass.deniedChanged = true;
    if (pass.deniedChanged) owner_.OnAccessDeniedChanged(denied_.Entries());
}

int DeviceMonitor::MatchPath(const std::string& path, bool& unmatched, MonitorPass& pass) {
    unmatched = false;
    DeviceEntry entry = EntryFromPath(path);
    if (!AnyRow(entry, false)) {
        unmatched = true;
        return -1;
    }
    // All slots of its numbers are taken: tried again once one is free.
    if (!slots_.IsCandidate(entry)) return -1;

    HidInterfaceHandle probe(backend_);
    // Cannot be opened (yet): stays unclaimed and is tried again on a later pass. One this user
    // may not open is listed as such, so that the window can say why it is missing.
    const bool opened = probe.Open(path, true, false, true, false);
    if (denied_.Note(path, !opened && hid::AccessDenied(backend_, path))) pass.deniedChanged = true;
    if (!opened) {
        pass.openFailed = true;
        return -1;
    }
    const HidAttributes attributes = probe.Attributes();
    const HidCaps caps = probe.Caps();
    probe.Close();
    entry.vendorId = attributes.vendorId;
    entry.productId = attributes.productId;
    entry.usagePage = caps.usagePage;
    entry.usage = caps.usage;
    if (!AnyRow(entry, true)) {
        unmatched = true;  // the interface's usages belong to no row
        return -1;
    }
    return slots_.ClaimSlot(entry, slots_.DeviceKindOf(backend_, entry));
}

void DeviceMonitor::CheckPresence(MonitorPass& pass) {
    const std::vector<DeviceEntry> slots = slots_.Slots();
    for (size_t i = 0; i < slots.size(); ++i) {
        const DeviceEntry& slot = slots[i];
        if (slot.present == 0 || slot.path.empty()) continue;
        if (backend_.Exists(slot.path)) continue;
        slots_.ReleaseSlot(i);
        pass.removals.push_back(i);
        owner_.OnDeviceRemoval(i, slot);
    }
}

}  // namespace morvek
