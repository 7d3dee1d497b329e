#include "emulator/EmulatedDevice.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "emulator/CommandReport.h"
#include "emulator/EmulatedHandle.h"
#include "emulator/HexText.h"

namespace morvek::emulator {

namespace {

constexpr uint16_t kKeyPressEvent = 0x0200;
constexpr uint16_t kKeyReleaseEvent = 0x0300;

// "emu:keyboard&vid_0c45&pid_764e&mi_01&col04"; "&col" only when the interface has several collections.
std::string CollectionPath(EmulatedKind kind, const DeviceInterfaces& device, const InterfaceLayout& interface,
                           size_t collectionIndex) {
    char markers[64];
    std::snprintf(markers, sizeof markers, "&vid_%04x&pid_%04x&mi_%02x", device.vendorId, device.productId,
                  interface.number);
    std::string path = std::string("emu:") + EmulatedKindName(kind) + markers;
    if (interface.collections.size() > 1) {
        std::snprintf(markers, sizeof markers, "&col%02zx", collectionIndex + 1);
        path += markers;
    }
    return path;
}

hid::IoResult Failure(hid::IoStatus status) { return {status, 0}; }

hid::IoStatus LostStatus(const HandleState& handle) {
    return handle.aborted ? hid::IoStatus::Aborted : hid::IoStatus::Failed;
}

// Whether memories can replace the current ones: same sizes, high-water marks inside their memories.
bool Fits(const FirmwareMemory& current, const FirmwareMemory& incoming) {
    return current.params.size() == incoming.params.size() && current.keyTable.size() == incoming.keyTable.size() &&
           current.keyAttr.size() == incoming.keyAttr.size() && current.macro.size() == incoming.macro.size() &&
           current.shoot.size() == incoming.shoot.size() && incoming.shootHighWater <= incoming.shoot.size() &&
           current.lightTable.size() == incoming.lightTable.size() && current.frame.size() == incoming.frame.size() &&
           current.status.size() == incoming.status.size() && incoming.macroHighWater <= incoming.macro.size();
}

}  // namespace

std::vector<EmulatedDevice::CollectionEntry> EmulatedDevice::BuildEntries(EmulatedKind kind,
                                                                         const DeviceInterfaces& device) {
    std::vector<CollectionEntry> entries;
    for (size_t i = 0; i < device.interfaces.size(); ++i) {
        const InterfaceLayout& interface = device.interfaces[i];
        for (size_t c = 0; c < interface.collections.size(); ++c) {
            const CollectionLayout& collection = interface.collections[c];
            hid::HidInterfaceInfo info;
            info.path = CollectionPath(kind, device, interface, c);
            info.vendorId = device.vendorId;
            info.productId = device.productId;
            info.releaseNumber = device.releaseNumber;
            info.interfaceNumber = interface.number;
            info.collectionNumber = interface.collections.size() > 1 ? static_cast<uint16_t>(c + 1) : 0;
            info.usagePage = collection.usagePage;
            info.usage = collection.usage;
            info.inputReportLength = collection.inputReportLength;
            info.outputReportLength = collection.outputReportLength;
            info.featureReportLength = collection.featureReportLength;
            entries.push_back({info, i, c});
        }
    }
    return entries;
}

EmulatedDevice::EmulatedDevice(EmulatedKind kind)
    : kind_(kind), interfaces_(InterfacesOf(kind)), entries_(BuildEntries(kind, interfaces_)),
      firmware_(kind) {
    for (size_t i = 0; i < interfaces_.interfaces.size(); ++i) {
        for (const CollectionLayout& collection : interfaces_.interfaces[i].collections) {
            if (collection.HasOutputReport(kCommandReportId)) {
                commandInterface_ = i;
            }
        }
    }
}

FaultPlan EmulatedDevice::Faults() const {
    std::lock_guard lock(mutex_);
    return faults_;
}

void EmulatedDevice::SetFaults(const FaultPlan& plan) {
    std::lock_guard lock(mutex_);
    faults_ = plan;
    faults_.latencyMs = std::max(plan.latencyMs, 0);
    if (faults_.vanishAfterReports == 0) {
        faults_.vanishAfterReports = -1;
        UnplugLocked();
    }
}

void EmulatedDevice::SetLatency(int ms) {
    std::lock_guard lock(mutex_);
    faults_.latencyMs = std::max(ms, 0);
}

bool EmulatedDevice::Press(int slot) {
    return slot >= 0 && slot <= 0xFF && SendEvent(static_cast<uint16_t>(kKeyPressEvent + slot));
}

bool EmulatedDevice::Release(int slot) {
    return slot >= 0 && slot <= 0xFF && SendEvent(static_cast<uint16_t>(kKeyReleaseEvent + slot));
}

bool EmulatedDevice::SendEvent(uint16_t code) {
    if (code > kHighestEventCode) {
        return false;
    }
    std::lock_guard lock(mutex_);
    if (!present_) {
        return false;
    }
    std::vector<uint8_t> report = {interfaces_.eventReportId, static_cast<uint8_t>(code & 0xFF),
                                   static_cast<uint8_t>(code >> 8)};
    DeliverInput(interfaces_.eventInterface, std::move(report),
                 Clock::now() + std::chrono::milliseconds(faults_.latencyMs));
    return true;
}

void EmulatedDevice::Unplug() {
    std::lock_guard lock(mutex_);
    UnplugLocked();
}

void EmulatedDevice::UnplugLocked() {
    present_ = false;
    for (const auto& handle : handles_) {
        handle->disconnected = true;
        handle->input.clear();
        handle->changed.notify_all();
    }
    handles_.clear();
    firmware_.PowerCycle();
    if (presenceListener_) presenceListener_();
}

void EmulatedDevice::Plug() {
    std::lock_guard lock(mutex_);
    present_ = true;
    if (presenceListener_) presenceListener_();
}

void EmulatedDevice::SetPresenceListener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    presenceListener_ = std::move(listener);
}

bool EmulatedDevice::Present() const {
    std::lock_guard lock(mutex_);
    return present_;
}

std::vector<uint8_t> EmulatedDevice::DeviceInfo() const { return Memory().deviceInfo; }
std::vector<uint8_t> EmulatedDevice::Params() const { return Memory().params; }
std::vector<uint8_t> EmulatedDevice::KeyTable() const { return Memory().keyTable; }
std::vector<uint8_t> EmulatedDevice::KeyAttrTable() const { return Memory().keyAttr; }
std::vector<uint8_t> EmulatedDevice::MacroMemory() const { return Memory().macro; }
size_t EmulatedDevice::MacroHighWater() const { return Memory().macroHighWater; }
std::vector<uint8_t> EmulatedDevice::ShootMemory() const { return Memory().shoot; }
size_t EmulatedDevice::ShootHighWater() const { return Memory().shootHighWater; }
std::vector<uint8_t> EmulatedDevice::LightTable() const { return Memory().lightTable; }
std::vector<uint8_t> EmulatedDevice::LastFrame() const { return Memory().frame; }
std::vector<uint8_t> EmulatedDevice::PowerStatus() const { return Memory().status; }

uint64_t EmulatedDevice::FrameCount() const {
    std::lock_guard lock(mutex_);
    return firmware_.FrameCount();
}

uint64_t EmulatedDevice::ReportCount() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

bool EmulatedDevice::ConfigOpen() const {
    std::lock_guard lock(mutex_);
    return firmware_.ConfigOpen();
}

bool EmulatedDevice::SoftwareLight() const {
    std::lock_guard lock(mutex_);
    return firmware_.SoftwareLight();
}

std::vector<std::vector<uint8_t>> EmulatedDevice::OutputReports() const {
    std::lock_guard lock(mutex_);
    return {outputReports_.begin(), outputReports_.end()};
}

uint64_t EmulatedDevice::OutputReportCount() const {
    std::lock_guard lock(mutex_);
    return outputReportCount_;
}

void EmulatedDevice::SetPowerStatus(uint8_t batteryPercent, uint8_t chargingState, uint8_t phoneType) {
    std::lock_guard lock(mutex_);
    firmware_.SetPowerStatus(batteryPercent, chargingState, phoneType);
}

FirmwareMemory EmulatedDevice::Memory() const {
    std::lock_guard lock(mutex_);
    return firmware_.Memory();
}

bool EmulatedDevice::RestoreMemory(const FirmwareMemory& memory) {
    std::lock_guard lock(mutex_);
    if (!Fits(firmware_.Memory(), memory)) {
        return false;
    }
    firmware_.RestoreMemory(memory);
    return true;
}

Json::Value EmulatedDevice::Dump() const {
    std::lock_guard lock(mutex_);
    const FirmwareMemory& memory = firmware_.Memory();
    Json::Value dump(Json::objectValue);
    dump["params"] = ToHex(memory.params);
    dump["keyTable"] = ToHex(memory.keyTable);
    dump["keyAttr"] = ToHex(memory.keyAttr);
    dump["macro"] = ToHex(std::span(memory.macro).first(memory.macroHighWater));
    if (!memory.shoot.empty()) dump["shoot"] = ToHex(std::span(memory.shoot).first(memory.shootHighWater));
    dump["lightTable"] = ToHex(memory.lightTable);
    dump["lastFrame"] = ToHex(memory.frame);
    dump["frames"] = Json::UInt64(firmware_.FrameCount());
    dump["reports"] = Json::UInt64(reports_);
    dump["configOpen"] = firmware_.ConfigOpen();
    if (kind_ == EmulatedKind::Headset) {
        Json::Value reports(Json::arrayValue);
        for (const auto& report : outputReports_) {
            reports.append(ToHex(report));
        }
        dump["outputReports"] = reports;
    }
    return dump;
}

std::vector<hid::HidInterfaceInfo> EmulatedDevice::Collections() const {
    std::lock_guard lock(mutex_);
    std::vector<hid::HidInterfaceInfo> collections;
    if (present_) {
        for (const CollectionEntry& entry : entries_) {
            collections.push_back(entry.info);
        }
    }
    return collections;
}

const EmulatedDevice::CollectionEntry* EmulatedDevice::FindEntry(const std::string& path) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const CollectionEntry& entry) { return entry.info.path == path; });
    return found == entries_.end() ? nullptr : &*found;
}

bool EmulatedDevice::Exists(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return present_ && FindEntry(path) != nullptr;
}

std::shared_ptr<hid::IHidDevice> EmulatedDevice::Open(const std::string& path, hid::HidOpenMode mode) {
    std::lock_guard lock(mutex_);
    if (!present_) {
        return nullptr;
    }
    const CollectionEntry* entry = FindEntry(path);
    if (entry == nullptr) {
        return nullptr;
    }
    auto state = std::make_shared<HandleState>();
    state->mode = mode;
    state->interfaceIndex = entry->interfaceIndex;
    state->collectionIndex = entry->collectionIndex;
    // The whole interface is one node: an exclusive opener shuts out every other opener of it.
    const bool conflict = std::any_of(handles_.begin(), handles_.end(), [&](const auto& other) {
        return other->interfaceIndex == state->interfaceIndex && (mode.exclusive || other->mode.exclusive);
    });
    if (conflict) {
        return nullptr;
    }
    handles_.push_back(state);
    return std::make_shared<EmulatedHandle>(shared_from_this(), state, entry->info);
}

std::vector<uint8_t> EmulatedDevice::ReportDescriptorOf(size_t interfaceIndex) const {
    return interfaces_.interfaces[interfaceIndex].reportDescriptor;
}

void EmulatedDevice::AbortHandle(HandleState& handle) {
    std::lock_guard lock(mutex_);
    handle.aborted = true;
    handle.input.clear();
    handle.changed.notify_all();
}

void EmulatedDevice::CloseHandle(const std::shared_ptr<HandleState>& handle) {
    std::lock_guard lock(mutex_);
    std::erase(handles_, handle);
}

bool EmulatedDevice::WaitUntil(std::unique_lock<std::mutex>& lock, HandleState& handle,
                               Clock::time_point deadline) {
    // A deadline already reached costs no wait: the kernel's timer slack would add tens of
    // microseconds to every report of a zero-latency device.
    if (deadline <= Clock::now()) return !(handle.aborted || handle.disconnected);
    return !handle.changed.wait_until(lock, deadline, [&] { return handle.aborted || handle.disconnected; });
}

hid::IoResult EmulatedDevice::WriteReport(HandleState& handle, std::span<const uint8_t> report, int timeoutMs) {
    std::unique_lock lock(mutex_);
    if (handle.aborted || handle.disconnected) {
        return Failure(LostStatus(handle));
    }
    const CollectionLayout& collection =
        interfaces_.interfaces[handle.interfaceIndex].collections[handle.collectionIndex];
    const auto declared = report.empty() ? collection.outputReports.end() : collection.outputReports.find(report[0]);
    if (!handle.mode.write || declared == collection.outputReports.end() || report.size() > declared->second) {
        return Failure(hid::IoStatus::Failed);
    }
    std::vector<uint8_t> padded(report.begin(), report.end());
    padded.resize(declared->second, 0);

    // One output pipe: a report waits for the ones before it, then takes the latency.
    const Clock::time_point now = Clock::now();
    const Clock::time_point done =
        std::max(now, outputPipeFreeAt_) + std::chrono::milliseconds(faults_.latencyMs);
    if (timeoutMs >= 0 && done > now + std::chrono::milliseconds(timeoutMs)) {
        if (!WaitUntil(lock, handle, now + std::chrono::milliseconds(timeoutMs))) {
            return Failure(LostStatus(handle));
        }
        return Failure(hid::IoStatus::TimedOut);
    }
    outputPipeFreeAt_ = done;
    if (!WaitUntil(lock, handle, done)) {
        return Failure(LostStatus(handle));
    }
    ReceiveOutputReport(handle.interfaceIndex, std::move(padded), done);
    return {hid::IoStatus::Ok, report.size()};
}

hid::IoResult EmulatedDevice::ReadReport(HandleState& handle, std::span<uint8_t> buffer, int timeoutMs) {
    std::unique_lock lock(mutex_);
    if (!handle.mode.read || buffer.empty()) {
        return Failure(handle.aborted || handle.disconnected ? LostStatus(handle) : hid::IoStatus::Failed);
    }
    const Clock::time_point start = Clock::now();
    const bool limited = timeoutMs >= 0;
    const Clock::time_point deadline = start + std::chrono::milliseconds(limited ? timeoutMs : 0);
    for (;;) {
        if (handle.aborted || handle.disconnected) {
            return Failure(LostStatus(handle));
        }
        const Clock::time_point now = Clock::now();
        if (!handle.input.empty() && handle.input.front().readyAt <= now) {
            const std::vector<uint8_t> report = std::move(handle.input.front().bytes);
            handle.input.pop_front();
            const size_t bytes = std::min(report.size(), buffer.size());
            std::copy_n(report.begin(), bytes, buffer.begin());
            return {hid::IoStatus::Ok, bytes};
        }
        if (limited && now >= deadline) {
            return Failure(hid::IoStatus::TimedOut);
        }
        if (!handle.input.empty()) {
            const Clock::time_point ready = handle.input.front().readyAt;
            handle.changed.wait_until(lock, limited ? std::min(ready, deadline) : ready);
        } else if (limited) {
            handle.changed.wait_until(lock, deadline);
        } else {
            handle.changed.wait(lock);
        }
    }
}

void EmulatedDevice::ReceiveOutputReport(size_t interfaceIndex, std::vector<uint8_t> report, Clock::time_point at) {
    if (interfaceIndex == commandInterface_ && report[0] == kCommandReportId) {
        ReceiveCommand(report, at);
        return;
    }
    ++outputReportCount_;
    outputReports_.push_back(std::move(report));
    if (outputReports_.size() > kKeptOutputReports) {
        outputReports_.pop_front();
    }
}

std::optional<CommandReport> EmulatedDevice::AnswerCommand(const CommandReport& request) {
    if (faults_.silent) {
        return std::nullopt;  // a hung firmware: the report leaves the pipe and nothing else happens
    }
    if (faults_.linkDown && kind_ == EmulatedKind::WirelessMouse) {
        if (request[kByteCommand] != kCmdQueryLink) {
            return std::nullopt;  // the receiver has no mouse to pass the command to
        }
        CommandReport answer = wire::AnswerFor(request, wire::kStatusOk);  // payload byte 0x00: no mouse
        StoreChecksum(answer);
        return answer;
    }
    if (faults_.forcedStatus != 0) {
        CommandReport answer = wire::AnswerFor(request, faults_.forcedStatus);
        StoreChecksum(answer);
        return answer;
    }
    return firmware_.Execute(request);
}

void EmulatedDevice::ReceiveCommand(const std::vector<uint8_t>& report, Clock::time_point at) {
    CommandReport request{};
    std::copy_n(report.begin(), std::min(report.size(), request.size()), request.begin());
    ++reports_;

    std::vector<CommandReport> answers;
    if (std::optional<CommandReport> answer = AnswerCommand(request)) {
        answers.push_back(*answer);
    }
    if (!answers.empty() && faults_.staleAnswers > 0) {
        --faults_.staleAnswers;
        CommandReport stale = wire::AnswerFor(request, wire::kStatusOk);
        stale[kByteCommand] = static_cast<uint8_t>(request[kByteCommand] ^ 0x80);
        StoreChecksum(stale);
        answers.insert(answers.begin(), stale);
    }
    if (faults_.vanishAfterReports > 0 && --faults_.vanishAfterReports == 0) {
        faults_.vanishAfterReports = -1;
        UnplugLocked();
        return;
    }
    const Clock::time_point readyAt = at + std::chrono::milliseconds(faults_.latencyMs);
    for (const CommandReport& answer : answers) {
        DeliverInput(commandInterface_, {answer.begin(), answer.end()}, readyAt);
    }
}

void EmulatedDevice::DeliverInput(size_t interfaceIndex, std::vector<uint8_t> report, Clock::time_point readyAt) {
    const auto& collections = interfaces_.interfaces[interfaceIndex].collections;
    const auto owner = std::find_if(collections.begin(), collections.end(),
                                    [&](const CollectionLayout& c) { return c.HasInputReport(report[0]); });
    if (owner == collections.end()) {
        return;
    }
    const auto collectionIndex = static_cast<size_t>(owner - collections.begin());
    for (const auto& handle : handles_) {
        if (handle->interfaceIndex != interfaceIndex || handle->collectionIndex != collectionIndex ||
            !handle->mode.read || handle->aborted) {
            continue;
        }
        // Reports leave the device in order: never before the one queued ahead of them.
        const Clock::time_point ready = handle->input.empty() ? readyAt : std::max(readyAt, handle->input.back().readyAt);
        handle->input.push_back({ready, report});
        if (handle->input.size() > kInputQueueDepth) {
            handle->input.pop_front();
        }
        handle->changed.notify_all();
    }
}

}  // namespace morvek::emulator
