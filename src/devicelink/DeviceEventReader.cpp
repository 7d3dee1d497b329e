#include "devicelink/DeviceEventReader.h"

#include <chrono>

#include "devicelink/DeviceTables.h"
#include "platform/Trace.h"

namespace morvek {

std::optional<uint16_t> DecodeEventCode(std::vector<HidReportItem>& items, const uint8_t* report, size_t length,
                                        const hid::HidCollectionCaps& caps) {
    if (items.empty() || report == nullptr || length == 0) return std::nullopt;
    for (auto& item : items) item.isSet = false;
    if (!UnpackInputReport(items, report, length, hid::ReportKind::Input, items.size(), caps)) return std::nullopt;
    const HidReportItem& first = items.front();
    if (!first.isSet || !first.isButton || first.usages.empty()) return std::nullopt;
    return first.usages.front();
}

void DispatchDeviceEvent(uint16_t code, uint16_t deviceKind, const DeviceEventHandlers& handlers,
                         std::atomic<uint32_t>& noticeCounter) {
    if (code == kEventSyncRequest) {
        Trace("接收到自动添加设备的同步信息要求");
        if (handlers.onSyncRequest) handlers.onSyncRequest(SyncDelayMs(deviceKind));
    } else if (code == kEventNotice) {
        noticeCounter = (noticeCounter.load() + 1) % 4;
    } else if (deviceKind == kKindKeyboard && (code & 0xFF00) == kEventKeyPressBase) {
        if (handlers.onKeyEvent) handlers.onKeyEvent(code & 0xFF, kKeyPhasePressed);
    } else if (deviceKind == kKindKeyboard && (code & 0xFF00) == kEventKeyReleaseBase) {
        if (handlers.onKeyEvent) handlers.onKeyEvent(code & 0xFF, kKeyPhaseReleased);
    }
}

DeviceEventReader::DeviceEventReader(CHidChannel& eventChannel, uint16_t deviceKind, DeviceEventHandlers handlers)
    : channel_(eventChannel), deviceKind_(deviceKind), handlers_(std::move(handlers)) {}

DeviceEventReader::~DeviceEventReader() { StopAndClose(); }

void DeviceEventReader::Start() {
    if (thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
    }
    thread_ = std::thread([this] { Run(); });
}

void DeviceEventReader::StopAndClose() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    channel_.Close();
    if (thread_.joinable()) thread_.join();
}

bool DeviceEventReader::WaitForStop() {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, std::chrono::milliseconds(1), [this] { return stop_; });
}

void DeviceEventReader::Run() {
    for (;;) {
        if (WaitForStop()) {
            Trace("MS设备同步线程设定退出");
            return;
        }
        if (!channel_.IsOpen()) continue;
        HidInterfaceHandle& handle = channel_.Interface();
        const HidCaps caps = handle.Caps();
        std::vector<uint8_t> report(std::max<size_t>(caps.inputReportLength, 1));
        size_t got = 0;
        if (!handle.ReadReport(report.size(), report.data(), kInfiniteTimeout, &got)) continue;
        auto items = handle.ReportItems(hid::ReportKind::Input);
        const auto code = DecodeEventCode(items, report.data(), got, handle.ParsedDescriptor());
        if (!code) continue;
        Trace("接收到自动添加设备的同步信息要求  TEST");
        DispatchDeviceEvent(*code, deviceKind_, handlers_, noticeCounter_);
    }
}

}  // namespace morvek
