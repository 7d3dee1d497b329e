#include "devicelink/DeviceSchedule.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "devicelink/TalvorenUSBDevice.h"

namespace morvek {

DeviceSchedule::DeviceSchedule(CTalvorenUSBDevice& model, Clock clock)
    : model_(model),
      clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      self_(std::make_shared<DeviceSchedule*>(this)) {}

size_t DeviceSchedule::Slot(DeviceTimer timer) {
    switch (timer) {
        case DeviceTimer::Frame: return 0;
        case DeviceTimer::ReadConfig: return 1;
        case DeviceTimer::ReadProfile: return 2;
        case DeviceTimer::PowerStatus: return 3;
    }
    return 0;
}

DeviceTimer DeviceSchedule::TimerOfSlot(size_t slot) {
    static constexpr std::array<DeviceTimer, kTimerCount> kTimers = {
        DeviceTimer::Frame, DeviceTimer::ReadConfig, DeviceTimer::ReadProfile, DeviceTimer::PowerStatus};
    return kTimers[slot];
}

void DeviceSchedule::SetChangedHook(std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    changedHook_ = std::move(hook);
}

void DeviceSchedule::SetFrameHook(std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    frameHook_ = std::move(hook);
}

void DeviceSchedule::SetFrameGrid(FrameGrid grid) {
    std::lock_guard lock(mutex_);
    frameGrid_ = std::move(grid);
}

void DeviceSchedule::Start(DeviceTimer timer, std::chrono::milliseconds delay) { StartAt(timer, clock_() + delay); }

void DeviceSchedule::StartAt(DeviceTimer timer, TimePoint deadline) {
    std::function<void()> hook;
    {
        std::lock_guard lock(mutex_);
        deadlines_[Slot(timer)] = deadline;
        hook = changedHook_;
    }
    if (hook) hook();
}

void DeviceSchedule::StartFrame(std::chrono::milliseconds delay, std::chrono::milliseconds onGrid) {
    if (!model_.IsCommandChannelOpen()) return;
    FrameGrid grid;
    {
        std::lock_guard lock(mutex_);
        grid = frameGrid_;
    }
    StartAt(DeviceTimer::Frame, grid ? grid(clock_() + onGrid) : clock_() + delay);
}

void DeviceSchedule::StartWhileOpen(DeviceTimer timer, std::chrono::milliseconds delay) {
    if (model_.IsCommandChannelOpen()) Start(timer, delay);
}

void DeviceSchedule::Stop(DeviceTimer timer) {
    std::lock_guard lock(mutex_);
    deadlines_[Slot(timer)].reset();
}

void DeviceSchedule::OnArrival() { Start(DeviceTimer::ReadConfig, kConfigReadDelay); }

void DeviceSchedule::OnSyncRequest(int delayMs) {
    StartWhileOpen(DeviceTimer::ReadProfile, std::chrono::milliseconds(std::max(delayMs, 0)));
}

void DeviceSchedule::OnRemoval() {
    std::lock_guard lock(mutex_);
    for (auto& deadline : deadlines_) deadline.reset();
    ++generation_;
}

bool DeviceSchedule::IsRunning(DeviceTimer timer) const {
    std::lock_guard lock(mutex_);
    return deadlines_[Slot(timer)].has_value();
}

std::optional<DeviceSchedule::TimePoint> DeviceSchedule::Deadline(DeviceTimer timer) const {
    std::lock_guard lock(mutex_);
    return deadlines_[Slot(timer)];
}

std::optional<DeviceSchedule::TimePoint> DeviceSchedule::NextDeadline() const {
    std::lock_guard lock(mutex_);
    std::optional<TimePoint> next;
    for (const auto& deadline : deadlines_) {
        if (deadline && (!next || *deadline < *next)) next = deadline;
    }
    return next;
}

std::optional<DeviceSchedule::TimePoint> DeviceSchedule::RunDue() {
    std::vector<std::pair<TimePoint, DeviceTimer>> due;
    {
        std::lock_guard lock(mutex_);
        const TimePoint now = clock_();
        for (size_t i = 0; i < kTimerCount; ++i) {
            if (deadlines_[i] && *deadlines_[i] <= now) due.emplace_back(*deadlines_[i], TimerOfSlot(i));
        }
    }
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : static_cast<int>(a.second) < static_cast<int>(b.second);
    });
    for (const auto& [deadline, timer] : due) {
        {
            // An earlier action may have stopped or moved it.
            std::lock_guard lock(mutex_);
            if (deadlines_[Slot(timer)] != deadline) continue;
            deadlines_[Slot(timer)].reset();  // each handler first stops its own timer
        }
        Fire(timer);
    }
    return NextDeadline();
}

void DeviceSchedule::Fire(DeviceTimer timer) {
    switch (timer) {
        case DeviceTimer::ReadConfig: {
            uint64_t generation;
            {
                std::lock_guard lock(mutex_);
                generation = generation_;
            }
            std::weak_ptr<DeviceSchedule*> self = self_;
            CTalvorenUSBDevice* model = &model_;
            model_.RunOnDevice([model] { model->ReadDeviceConfig(); },
                               [self, generation] {
                                   if (auto alive = self.lock()) (*alive)->ConfigReadDone(generation);
                               });
            break;
        }
        case DeviceTimer::Frame: {
            model_.RequestLedFrame();
            std::function<void()> hook;
            {
                std::lock_guard lock(mutex_);
                hook = frameHook_;
            }
            if (hook) hook();
            StartFrame(kFrameInterval, kFrameInterval / 2);
            break;
        }
        case DeviceTimer::ReadProfile: {
            CTalvorenUSBDevice* model = &model_;
            model_.RunOnDevice([model] { model->ReadDeviceProfile(); });
            break;
        }
        case DeviceTimer::PowerStatus:
            model_.RequestPowerStatus();
            if (model_.GetPowerIndicatorStyle() != 0) StartWhileOpen(DeviceTimer::PowerStatus, kPowerInterval);
            break;
    }
}

void DeviceSchedule::ConfigReadDone(uint64_t generation) {
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_) return;  // removed meanwhile
    }
    StartFrame(kFirstFrameDelay, kFirstFrameDelay);
    if (model_.GetPowerIndicatorStyle() != 0) StartWhileOpen(DeviceTimer::PowerStatus, kPowerInterval);
}

}  // namespace morvek
