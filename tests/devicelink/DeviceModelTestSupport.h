#pragma once
// Test doubles of the device model tests: a clock the test moves, a model that records what
// its device thread was asked to do, a view that records what it was told, a backend decorator
// that shows how reads ended, and a backend with two hosts' devices side by side.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "devicelink/DeviceMonitor.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceModelView.h"
#include "devicelink/DeviceSchedule.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "platform/hid/HidBackend.h"

namespace morvek::test {

inline constexpr const char* kEmuKeyboardCommand = "emu:keyboard&vid_0c45&pid_764e&mi_01&col04";
inline constexpr const char* kEmuKeyboardEvent = "emu:keyboard&vid_0c45&pid_764e&mi_01&col03";
inline constexpr const char* kEmuPadCommand = "emu:pad&vid_0000&pid_0000&mi_01&col04";

// A clock that stands still until the test moves it.
class FakeClock {
public:
    DeviceSchedule::TimePoint Now() const {
        std::lock_guard lock(mutex_);
        return now_;
    }
    void Advance(std::chrono::milliseconds step) {
        std::lock_guard lock(mutex_);
        now_ += step;
    }
    void Set(DeviceSchedule::TimePoint now) {
        std::lock_guard lock(mutex_);
        now_ = now;
    }
    DeviceSchedule::Clock Function() {
        return [this] { return Now(); };
    }

private:
    mutable std::mutex mutex_;
    DeviceSchedule::TimePoint now_{std::chrono::hours(1)};
};

// A model whose device operations count their calls; the configuration read asks the device
// for its information record, as the device models do.
class RecordingModel : public CTalvorenUSBDevice {
public:
    using CTalvorenUSBDevice::CTalvorenUSBDevice;
    ~RecordingModel() override { Shutdown(); }

    void ReadDeviceConfig() override {
        DeviceInfoRecord info;
        lastConfigResult = CommandChannel().ReadDeviceInfo(info);
        ++configReads;
    }
    void ReadDeviceProfile() override { ++profileReads; }
    void SendLedFrame() override {
        ++frames;
        CTalvorenUSBDevice::SendLedFrame();
    }
    void ReadPowerStatus() override {
        ++powerReads;
        CTalvorenUSBDevice::ReadPowerStatus();
    }

    std::atomic<int> configReads{0};
    std::atomic<int> profileReads{0};
    std::atomic<int> frames{0};
    std::atomic<int> powerReads{0};
    std::atomic<int> lastConfigResult{-999};
};

class RecordingView : public IDeviceView {
public:
    void Refresh() override { ++refreshes; }
    void ShowLightPreview(const std::vector<LedPreview>& p) override { previews.push_back(p); }
    void ShowPowerStatus(const PowerIndicatorState& state) override { power.push_back(state); }
    void ShowFunctionTabs(const FunctionTabs& t) override { tabs.push_back(t); }

    int refreshes = 0;
    std::vector<std::vector<LedPreview>> previews;
    std::vector<PowerIndicatorState> power;
    std::vector<FunctionTabs> tabs;
};

// Wraps a backend: records how each read ended, tells when a read begins, and can refuse opens
// for writing (a channel that cannot be opened while the monitor's read-only probe can).
class ObservedBackend : public hid::IHidBackend {
public:
    explicit ObservedBackend(hid::IHidBackend& inner) : inner_(inner) {}

    bool Enumerate(std::vector<hid::HidInterfaceInfo>& out) override { return inner_.Enumerate(out); }
    bool Exists(const std::string& path) override { return inner_.Exists(path); }
    std::shared_ptr<hid::IHidDevice> Open(const std::string& path, hid::HidOpenMode mode) override {
        if (mode.write && refuseWrite_.load()) return nullptr;
        auto device = inner_.Open(path, mode);
        if (!device) return nullptr;
        return std::make_shared<Device>(std::move(device), *this);
    }

    void SetRefuseWriteOpens(bool refuse) { refuseWrite_ = refuse; }

    // Waits until some read has begun (false when none began within the limit).
    bool WaitForRead(std::chrono::milliseconds limit = std::chrono::seconds(30)) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, limit, [this] { return readsBegun_ > 0; });
    }
    std::vector<hid::IoStatus> ReadResults() const {
        std::lock_guard lock(mutex_);
        return results_;
    }

private:
    class Device : public hid::IHidDevice {
    public:
        Device(std::shared_ptr<hid::IHidDevice> inner, ObservedBackend& owner)
            : inner_(std::move(inner)), owner_(owner) {}
        const hid::HidInterfaceInfo& Info() const override { return inner_->Info(); }
        std::vector<uint8_t> ReportDescriptor() const override { return inner_->ReportDescriptor(); }
        hid::IoResult Write(std::span<const uint8_t> report, int timeoutMs) override {
            return inner_->Write(report, timeoutMs);
        }
        hid::IoResult Read(std::span<uint8_t> buffer, int timeoutMs) override {
            owner_.ReadBegins();
            const hid::IoResult result = inner_->Read(buffer, timeoutMs);
            owner_.ReadEnded(result.status);
            return result;
        }
        bool SetOutputReport(std::span<const uint8_t> report) override { return inner_->SetOutputReport(report); }
        void Abort() override { inner_->Abort(); }

    private:
        std::shared_ptr<hid::IHidDevice> inner_;
        ObservedBackend& owner_;
    };

    void ReadBegins() {
        {
            std::lock_guard lock(mutex_);
            ++readsBegun_;
        }
        cv_.notify_all();
    }
    void ReadEnded(hid::IoStatus status) {
        std::lock_guard lock(mutex_);
        results_.push_back(status);
    }

    hid::IHidBackend& inner_;
    std::atomic<bool> refuseWrite_{false};
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    int readsBegun_ = 0;
    std::vector<hid::IoStatus> results_;
};

// The devices of two backends side by side: paths of the second carry the prefix "second:",
// so two identical emulated devices can be plugged in at once.
class TwoHostBackend : public hid::IHidBackend {
public:
    TwoHostBackend(hid::IHidBackend& first, hid::IHidBackend& second) : first_(first), second_(second) {}

    bool Enumerate(std::vector<hid::HidInterfaceInfo>& out) override {
        std::vector<hid::HidInterfaceInfo> a, b;
        if (!first_.Enumerate(a) || !second_.Enumerate(b)) return false;
        out = a;
        for (auto info : b) {
            info.path = kPrefix + info.path;
            out.push_back(info);
        }
        return true;
    }
    std::shared_ptr<hid::IHidDevice> Open(const std::string& path, hid::HidOpenMode mode) override {
        return Second(path) ? second_.Open(path.substr(kPrefix.size()), mode) : first_.Open(path, mode);
    }
    bool Exists(const std::string& path) override {
        return Second(path) ? second_.Exists(path.substr(kPrefix.size())) : first_.Exists(path);
    }

private:
    inline static const std::string kPrefix = "second:";
    static bool Second(const std::string& path) { return path.starts_with(kPrefix); }
    hid::IHidBackend& first_;
    hid::IHidBackend& second_;
};

// The monitor's owner as the window will be: every announcement goes to the registry at once
// (the tests run the passes on their own thread) and is recorded.
class RegistryOwner : public IDeviceMonitorOwner {
public:
    explicit RegistryOwner(DeviceModelRegistry& registry) : registry_(registry) {}

    void OnDeviceArrival(size_t slot, const DeviceEntry& entry) override {
        const auto arrival = registry_.OnDeviceArrival(entry);
        std::lock_guard lock(mutex_);
        arrivals.push_back(slot);
        arrivalResults.push_back(arrival);
    }
    void OnDeviceRemoval(size_t slot, const DeviceEntry& entry) override {
        registry_.OnDeviceRemoval(entry);
        std::lock_guard lock(mutex_);
        removals.push_back(slot);
    }
    void OnFirstScan() override {
        std::lock_guard lock(mutex_);
        ++firstScans;
    }

    std::mutex mutex_;
    std::vector<size_t> arrivals;
    std::vector<DeviceModelRegistry::Arrival> arrivalResults;
    std::vector<size_t> removals;
    int firstScans = 0;

private:
    DeviceModelRegistry& registry_;
};

}  // namespace morvek::test
