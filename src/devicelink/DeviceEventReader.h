#pragma once
// The event reader: a thread per device model that reads the event reports of the
// consumer-control interface and turns their event codes into callbacks.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "devicelink/HidChannel.h"

namespace morvek {

enum DeviceEventCode : uint16_t {
    kEventSyncRequest = 0x0401, // the device was added or switched on and asks to be synchronised
    kEventNotice = 0x0404,      // a notice without host reaction
    kEventKeyPressBase = 0x0200,
    kEventKeyReleaseBase = 0x0300,
};

// Key event phases handed to the keyboard model.
constexpr int kKeyPhasePressed = 1;
constexpr int kKeyPhaseReleased = 2;

// Delay of the synchronisation timer after a sync request: short for the keyboard.
constexpr int SyncDelayMs(uint16_t deviceKind) { return deviceKind == 1 ? 100 : 500; }

struct DeviceEventHandlers {
    // A sync request: start the list entry's synchronisation timer after delayMs.
    std::function<void(int delayMs)> onSyncRequest;
    // Keyboard only: key n pressed (phase 1) or released (phase 2).
    std::function<void(int key, int phase)> onKeyEvent;
};

// Decodes one event report with the interface's input items; the event code is the first
// usage of the first item. Nothing when the report does not decode.
std::optional<uint16_t> DecodeEventCode(std::vector<HidReportItem>& items, const uint8_t* report, size_t length,
                                        const hid::HidCollectionCaps& caps);

// Reacts to one event code as the event table says; noticeCounter cycles 0..3 on 0x0404.
void DispatchDeviceEvent(uint16_t code, uint16_t deviceKind, const DeviceEventHandlers& handlers,
                         std::atomic<uint32_t>& noticeCounter);

class DeviceEventReader {
public:
    DeviceEventReader(CHidChannel& eventChannel, uint16_t deviceKind, DeviceEventHandlers handlers);
    ~DeviceEventReader();
    DeviceEventReader(const DeviceEventReader&) = delete;
    DeviceEventReader& operator=(const DeviceEventReader&) = delete;

    void Start();
    // Ends the thread at once: a read waiting without time-out is ended by closing the event channel.
    void StopAndClose();
    bool IsRunning() const { return thread_.joinable(); }
    uint32_t NoticeCounter() const { return noticeCounter_.load(); }

private:
    void Run();
    // Waits up to 1 ms for a stop request; true when stopping.
    bool WaitForStop();

    CHidChannel& channel_;
    const uint16_t deviceKind_;
    DeviceEventHandlers handlers_;
    std::atomic<uint32_t> noticeCounter_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace morvek
