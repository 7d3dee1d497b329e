#pragma once
// CTalvorenUSBDevice: the common base of the four device models as a plain model
// class. It owns the device's two channels, its light engine, its serial task queue and the
// base data; the page that shows it binds through IDeviceView.
//
// Threads. Device I/O never runs on the user-interface thread: the virtual operations that
// talk to the device (ReadDeviceConfig, SendLedFrame, WriteSettings, ...) are the bodies that
// run on the device's own thread; callers reach them through RunOnDevice (or the Request...
// helpers for periodic work), and the result comes back through the IUiDispatcher. The command
// line builds its models with TaskQueueMode::Inline, so the same calls run at once.
// Locks: the model lock guards the model data shared with other threads, the LED lock the
// light engine (the light thread holds it while stepping, the frame sender while copying the
// LED buffer), the light lock the subclasses' effect sequences. All three are recursive, as
// the system's critical sections are, so an operation may call another under its lock. The
// channels have their own locks and are never used under the LED lock.
//
// Subclasses: every subclass destructor calls Shutdown() first, so that no device task or
// event callback runs on a half-destroyed object.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devicelink/DeviceEventReader.h"
#include "devicelink/DeviceModelView.h"
#include "devicelink/DeviceTables.h"
#include "devicelink/DeviceTaskQueue.h"
#include "devicelink/HidChannel.h"
#include "devicelink/LightEngine.h"
#include "devicelink/PowerStatus.h"
#include "devicelink/UiDispatcher.h"
#include "profiles/ProfileLoadReport.h"

namespace morvek {

// The three values the light panel hands over with SetLightSettings.
struct LightParameters {
    int32_t mode = 0;
    int32_t value = 0;
    uint32_t colour = 0;

    bool operator==(const LightParameters&) const = default;
};

// Per-LED working data of the subclasses' reactive effects (12 bytes per LED).
using LedEffectState = std::array<uint8_t, 12>;

// Same interface: vendor id, product id, interface number, collection number, kind, role,
// usage page and usage (the path and the present flag are not compared).
bool SameInterface(const DeviceEntry& a, const DeviceEntry& b);

class CTalvorenUSBDevice {
public:
    static constexpr std::chrono::milliseconds kFailedFramePause{200};
    // Keys of the coalesced periodic tasks.
    static constexpr int kFrameTaskKey = 1;
    static constexpr int kPowerTaskKey = 2;

    // flashClock: the light engine's clock (empty: the steady clock).
    CTalvorenUSBDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode = TaskQueueMode::Thread,
                       LightEngine::Clock flashClock = {});
    virtual ~CTalvorenUSBDevice();
    CTalvorenUSBDevice(const CTalvorenUSBDevice&) = delete;
    CTalvorenUSBDevice& operator=(const CTalvorenUSBDevice&) = delete;

    // ---- Virtual operations, in their fixed order ---------------------------------------
    // (The class name comes from the layout container in the system; it stays first here.)
    virtual std::string_view GetClassName() const { return "TalvorenUSBDevice"; }

    // Base: with no page layout file, key count and light point count become 0. Collecting
    // the page's key and light buttons is the view's part.
    virtual void InitDevicePage();
    // Base: tells the view to show the model again; returns 0.
    virtual int RefreshPage();
    // Device thread. Host light control off: nothing. Else the light is brought up to date,
    // the frame is built from the LED buffer, its previews go to the view, and unless the
    // channel is wireless the frame is sent with CHidChannel::SendLightFrame; a failed frame
    // costs a 200 ms pause of the device thread.
    virtual void SendLedFrame();
    virtual void SetLedColour(int index, uint32_t entry);
    // The entry (packed as LedEntry::Packed), or 0 outside the LED buffer.
    virtual uint32_t GetLedColour(int index);
    // Device thread. Base: nothing.
    virtual void ReadDeviceConfig();
    virtual void ReadDeviceProfile();
    // Device thread. Shared by all kinds (every device model reads it the same way): when the
    // command channel is open, the 6-byte record at offset 0 is read; on success byte 3 becomes
    // the wireless flag, the record is kept (LastPowerStatus) and the view shows it.
    virtual void ReadPowerStatus();
    virtual void LoadProfile();
    // Base: tells the view to show the model again.
    virtual void ApplyProfileToPage();
    virtual void RestoreDefaults();
    // Device thread. Base: 0.
    virtual int WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth, int screenHeight);
    virtual void ReloadMacroList();
    virtual void SetKeyIndexMap(std::map<uint32_t, uint32_t> map);
    // Stores the type and tells the view the tabs to select (FunctionTabsFor).
    virtual void SetFunctionType(int type);
    virtual int GetFunctionType() const;
    virtual void LoadProfileDocument();
    // Base: empty (the name of the loaded profile, not its identity).
    virtual void GetProfileName(std::string& name) const;
    virtual void SaveProfile();
    virtual void SetDeviceClassNumber(int number);
    virtual int GetDeviceClassNumber() const;
    virtual void SetLightSettings(int32_t mode, int32_t value, uint32_t colour);
    virtual void SelectKey(int keyIndex);
    // ---- (subclasses add their operations after SelectKey) -------------------------------

    // ---- Non-virtual base operations ------------------------------------------------------
    // Stores the flag; when it is set on a keyboard (kind 1), CHidChannel::EnterSoftwareLight
    // is sent on the device thread.
    void SetHostLightControl(bool on);
    bool GetHostLightControl() const { return hostLightControl_.load() != 0; }
    void SetLightPreview(bool on) { lightPreview_ = on ? 1 : 0; }
    bool GetLightPreview() const { return lightPreview_.load() != 0; }
    // Whether the view's picture is on the screen (the view says so as it is shown and hidden;
    // true without a view). Frames hand the view their previews only while it is: a page in the
    // background, a hidden or minimised window get none, and the next frame after it shows
    // again brings the colours.
    void SetPictureShown(bool shown) { pictureShown_ = shown; }
    bool PictureShown() const { return pictureShown_.load(); }

    // Copies the entry; device kind and interface role follow it.
    void AttachIdentity(const DeviceEntry& entry);
    DeviceEntry Identity() const;
    uint16_t Kind() const { return kind_.load(); }
    uint16_t Role() const { return role_.load(); }

    void SetKeyCount(int count);
    int KeyCount() const { return keyCount_.load(); }
    // Resizes the LED buffer and the per-LED effect state; every LED and state entry becomes 0.
    void SetLightCount(int count);
    int LightCount() const { return lightPointCount_.load(); }
    int ActiveKey() const { return activeKey_.load(); }

    void SetPowerIndicatorStyle(int style) { powerIndicatorStyle_ = style; }
    int GetPowerIndicatorStyle() const { return powerIndicatorStyle_.load(); }

    void SetPageLayoutFile(std::string file);
    std::string PageLayoutFile() const;
    void SetLightConfigName(std::string name);
    std::string LightConfigName() const;
    void SetDataFolderName(std::string name);
    std::string DataFolderName() const;
    // The identity of the current profile ("profileUUID" of the profile list).
    void SetProfileName(std::string uuid);
    std::string ProfileName() const;
    // What the last load of the profile document gave (nothing before the first); the models
    // note it as they load.
    void NoteProfileLoad(ProfileLoadReport report);
    std::optional<ProfileLoadReport> LastProfileLoad() const;

    std::map<uint32_t, uint32_t> KeyIndexMap() const;
    LightParameters GetLightParameters() const;
    std::vector<LedEffectState> LedEffects() const;

    // Data folders. The per-user root and the "DefaultData" folder default to platform/Paths;
    // the command line and tests point them elsewhere.
    void SetDataRoots(std::filesystem::path userDataRoot, std::filesystem::path defaultDataFolder);
    // user data root / data folder name; both levels are created when missing.
    std::filesystem::path GetUserDataFolder() const;
    std::filesystem::path GetDefaultDataFolder() const;
    // default data folder / data folder name + ".Json".
    std::filesystem::path GetDefaultProfilePath() const;

    static uint8_t StepCounter(int direction, uint8_t limit, uint8_t value, uint8_t step);

    // ---- Channels, event reader -------------------------------------------------------------
    CHidChannel& CommandChannel() { return commandChannel_; }
    CHidChannel& EventChannel() { return eventChannel_; }
    bool IsCommandChannelOpen() const { return commandChannel_.IsOpen(); }
    // Opens the event channel on path and starts the event reader (a previous reader is
    // stopped first). False when the interface cannot be opened; no reader runs then.
    // These two run on the user-interface thread (the registry's arrival and removal).
    bool OpenEventChannel(const std::string& path);
    // Stops the event reader, which closes the event channel.
    void CloseEventChannel();
    bool EventReaderRunning() const;
    // Event 0x0401: called on the event reader's thread with the timer delay.
    void SetSyncRequestHandler(std::function<void(int delayMs)> handler);
    // Key press and release codes (keyboard): called on the event reader's thread.
    void SetDeviceKeyHandler(std::function<void(int key, int phase)> handler);

    // ---- Device thread --------------------------------------------------------------------
    DeviceTaskQueue& Tasks() { return tasks_; }
    IUiDispatcher& Ui() { return tasks_.Ui(); }
    // Runs work on the device thread; done, if given, gets its result on the user-interface thread.
    // The work is one command sequence of the command channel: after a command the device does
    // not answer at all, the rest of its commands fail at once (CHidChannel::BeginSequence).
    template <class Work>
    bool RunOnDevice(Work work) {
        return tasks_.Post([this, work = std::move(work)]() mutable {
            CommandSequence sequence(commandChannel_);
            work();
        });
    }
    template <class Work, class Done>
    bool RunOnDevice(Work work, Done done) {
        return tasks_.PostWithResult(
            [this, work = std::move(work)]() mutable {
                CommandSequence sequence(commandChannel_);
                return work();
            },
            std::move(done));
    }
    // SendLedFrame / ReadPowerStatus on the device thread, unless one is already waiting. A
    // model whose frame sends nothing to the device (FrameTalksToDevice) builds it at once,
    // on the caller's thread.
    bool RequestLedFrame();
    bool RequestPowerStatus();
    // Posts to the user-interface thread; dropped after Shutdown.
    void PostToUi(std::function<void()> callback) { tasks_.PostToUi(std::move(callback)); }

    // The command-channel part of ReadPowerStatus: 1 with the record (wireless flag in byte 3),
    // else the channel's result. Device thread.
    int ReadPowerRecord(PowerRecord& record);
    std::optional<PowerRecord> LastPowerStatus() const;

    // ---- View -------------------------------------------------------------------------------
    // Set and cleared on the user-interface thread; nullptr: no view.
    void SetView(IDeviceView* view) { view_ = view; }
    IDeviceView* View() const { return view_.load(); }

    // ---- Locks and light engine ---------------------------------------------------------------
    std::recursive_mutex& ModelLock() const { return modelLock_; }
    std::recursive_mutex& LedLock() const { return ledLock_; }
    std::recursive_mutex& LightLock() const { return lightLock_; }
    // The light engine; hold LedLock() while using it.
    LightEngine& Light() { return light_; }
    const LightEngine& Light() const { return light_; }
    // A copy of the LED buffer, taken under the LED lock.
    std::vector<LedEntry> LedsSnapshot() const;

    // Stops the device thread at once: pending tasks are dropped, a transfer in progress is
    // ended by closing both channels, the event reader stops, and results not yet delivered
    // are dropped. Idempotent; call it on the user-interface thread.
    void Shutdown();

protected:
    // Brings the LED buffer up to date (the light passes of the time since the last) before a
    // frame is built from it. Base: nothing; the models with a light computation run it.
    virtual void AdvanceLight() {}
    // Whether SendLedFrame sends anything to the device. Base: true.
    virtual bool FrameTalksToDevice() const { return true; }
    // Hands a frame's previews to the view while its picture is on the screen.
    void ShowPreviews(std::vector<LedPreview> previews);
    // Posts a call of the view to the user-interface thread (nothing without a view).
    void NotifyView(std::function<void(IDeviceView&)> call);
    // The 200 ms pause after a failed frame: on the device thread, never on the caller's.
    void PauseDeviceThread(std::chrono::milliseconds duration);

private:
    void OnSyncRequest(int delayMs);
    void OnDeviceKey(int key, int phase);

    // Declared first: the channels outlive the queue and the reader that use them.
    CHidChannel commandChannel_;
    CHidChannel eventChannel_;

    mutable std::recursive_mutex modelLock_;
    mutable std::recursive_mutex ledLock_;
    mutable std::recursive_mutex lightLock_;

    // Guarded by the model lock.
    std::string profileName_;
    std::optional<ProfileLoadReport> profileLoad_;
    std::string pageLayoutFile_;
    std::string lightConfigName_;
    std::string dataFolderName_;
    std::filesystem::path userDataRoot_;
    std::filesystem::path defaultDataFolder_;
    std::map<uint32_t, uint32_t> keyIndexMap_;
    std::vector<LedEffectState> ledEffects_;
    LightParameters lightParameters_;
    DeviceEntry identity_;
    std::optional<PowerRecord> lastPower_;
    std::function<void(int)> syncRequestHandler_;
    std::function<void(int, int)> deviceKeyHandler_;

    std::atomic<int> keyCount_{0};
    std::atomic<int> lightPointCount_{0};
    std::atomic<int> activeKey_{-1};
    std::atomic<int> functionType_{1};
    std::atomic<int> hostLightControl_{1};
    std::atomic<int> lightPreview_{1};
    std::atomic<bool> pictureShown_{true};
    std::atomic<uint16_t> kind_{0};
    std::atomic<uint16_t> role_{0};
    std::atomic<int> classNumber_{0};
    std::atomic<int> powerIndicatorStyle_{0};
    std::atomic<IDeviceView*> view_{nullptr};

    // Guarded by the LED lock.
    LightEngine light_;

    mutable std::mutex readerMutex_;
    std::unique_ptr<DeviceEventReader> eventReader_;

    DeviceTaskQueue tasks_;
};

}  // namespace morvek
