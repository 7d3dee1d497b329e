#pragma once
// DeviceSchedule: the timers of a device's list entry (CDeviceOptionUI) as a
// per-device schedule with an injectable clock. The owner (the window, or a test) drives it:
// it calls RunDue when the next deadline has come and re-arms its own timer with the deadline
// RunDue returns (and whenever the changed hook says a timer started).
//
// | Timer | Started by                        | Action (on the device thread)  | Next                                  |
// | 1001  | arrival, after 500 ms             | ReadDeviceConfig               | when it is done: 1000 after 5 ms; with |
// |       |                                   |                                | a power-indicator style, 1005 after 5 s |
// | 1000  | 1001, then itself                 | SendLedFrame (coalesced)       | again after 50 ms                      |
// | 1002  | event 0x0401, after 100 ms        | ReadDeviceProfile              | none                                   |
// |       | (keyboard) or 500 ms              |                                |                                        |
// | 1005  | 1001, then itself                 | ReadPowerStatus (coalesced)    | while the style is non-zero: 5 s       |
//
// Frames may be placed on a grid that several schedules share (SetFrameGrid): the first frame
// comes at the first grid point 5 ms or more after the read, each next one at the first grid
// point 25 ms or more after the last fired, so a frame fired on time is followed 50 ms later and
// the frames of all devices fire together, waking the window once per 50 ms instead of once per
// device.
//
// Each timer stops itself when it fires and is started again only while the model's command
// channel is open (1001 on arrival is the exception: an entry whose channel did not open still
// runs it once and then stops). Thread-safe; the actions and hooks run outside its lock.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace morvek {

class CTalvorenUSBDevice;

enum class DeviceTimer : int { Frame = 1000, ReadConfig = 1001, ReadProfile = 1002, PowerStatus = 1005 };

class DeviceSchedule {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Clock = std::function<TimePoint()>;

    static constexpr std::chrono::milliseconds kFrameInterval{50};
    static constexpr std::chrono::milliseconds kConfigReadDelay{500};
    static constexpr std::chrono::milliseconds kFirstFrameDelay{5};
    static constexpr std::chrono::milliseconds kPowerInterval{5000};

    // clock: empty for the steady clock.
    explicit DeviceSchedule(CTalvorenUSBDevice& model, Clock clock = {});
    DeviceSchedule(const DeviceSchedule&) = delete;
    DeviceSchedule& operator=(const DeviceSchedule&) = delete;

    CTalvorenUSBDevice& Model() { return model_; }

    // The command interface arrived: the configuration is read 500 ms later.
    void OnArrival();
    // Event 0x0401 with its delay (SyncDelayMs: 100 ms keyboard, 500 ms others).
    void OnSyncRequest(int delayMs);
    // The command interface is gone: every timer stops, and a configuration read still
    // running starts nothing when it ends.
    void OnRemoval();

    // Fires every timer whose deadline has come (each once, earliest first), then returns
    // the next deadline.
    std::optional<TimePoint> RunDue();
    std::optional<TimePoint> NextDeadline() const;
    bool IsRunning(DeviceTimer timer) const;
    std::optional<TimePoint> Deadline(DeviceTimer timer) const;
    TimePoint Now() const { return clock_(); }

    // Called after a timer was started (on the thread that started it), so that the owner
    // can re-arm its wake-up.
    void SetChangedHook(std::function<void()> hook);
    // Called after each frame tick: the list entry repaints the page's light preview when it
    // is selected and the model's light preview is on.
    void SetFrameHook(std::function<void()> hook);
    // The grid frames are placed on: given a time, the first grid point at or after it. Empty:
    // no grid (the first frame 5 ms after the read, each next one 50 ms after the last fired).
    using FrameGrid = std::function<TimePoint(TimePoint earliest)>;
    void SetFrameGrid(FrameGrid grid);

private:
    static constexpr size_t kTimerCount = 4;
    static size_t Slot(DeviceTimer timer);
    static DeviceTimer TimerOfSlot(size_t slot);

    void Start(DeviceTimer timer, std::chrono::milliseconds delay);
    void StartAt(DeviceTimer timer, TimePoint deadline);
    // Starts the timer only while the model's command channel is open.
    void StartWhileOpen(DeviceTimer timer, std::chrono::milliseconds delay);
    // The frame timer, on the grid when there is one, while the channel is open.
    void StartFrame(std::chrono::milliseconds delay, std::chrono::milliseconds onGrid);
    void Stop(DeviceTimer timer);
    void Fire(DeviceTimer timer);
    void ConfigReadDone(uint64_t generation);

    CTalvorenUSBDevice& model_;
    Clock clock_;

    mutable std::mutex mutex_;
    std::array<std::optional<TimePoint>, kTimerCount> deadlines_{};
    uint64_t generation_ = 0;
    std::function<void()> changedHook_;
    std::function<void()> frameHook_;
    FrameGrid frameGrid_;
    // Completions posted to the user-interface thread check that the schedule still lives.
    std::shared_ptr<DeviceSchedule*> self_;
};

}  // namespace morvek
