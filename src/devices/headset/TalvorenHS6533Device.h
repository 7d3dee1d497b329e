#pragma once
// CTalvorenHS6533Device: the model of the USB headset (kind 7). Its lights go over the HID
// channel (the 21-byte light head, and frames as output reports); its sound settings go to the
// audio configuration library through HeadsetAudio, as the voice and voice-changer panels
// change them (HeadsetSoundSettings). Every setting is kept in the headset's profile document.
//
// Threads: the panel operations, the library calls and the profile run on the calling
// (user-interface) thread under the model lock; transfers (light head, frames) are the device
// thread's bodies as in the base; the light thread steps the LED buffer under the LED lock.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "devicelink/TalvorenUSBDevice.h"
#include "devices/ILighting.h"
#include "devices/ISoundSettings.h"
#include "devices/headset/HeadsetAudio.h"
#include "devices/headset/HeadsetLightHead.h"
#include "devices/headset/HeadsetSoundSettings.h"
#include "devices/lighting/KeyboardLightThread.h"
#include "devices/pad/MousePadLight.h"
#include "platform/audio/AudioLibrary.h"
#include "profiles/Hs6533Profiledata.h"

namespace morvek {

class CTalvorenHS6533Device : public CTalvorenUSBDevice, public ILighting, public ISoundSettings {
public:
    // Loads the audio configuration library; the default loads libosConfLib.so from the program's library folder.
    using AudioLoader = std::function<std::optional<audio::AudioEntryPoints>()>;

    CTalvorenHS6533Device(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode = TaskQueueMode::Thread,
                          AudioLoader loadAudio = {}, LightEngine::Clock flashClock = {});
    ~CTalvorenHS6533Device() override;

    std::string_view GetClassName() const override { return "TalvorenHS6533Device"; }
    // Initialises the audio part once (start the library, make sure of its properties).
    void InitDevicePage() override;
    // The profile's light settings into the light engine and the light head; the view refreshes.
    int RefreshPage() override;
    // Device thread. Host light control off: nothing. Else the light passes that went by, then
    // previews to the view and the frame as twelve output reports (their results are not checked).
    void SendLedFrame() override;
    // Device thread: loads the profile, reads the audio state, refreshes, starts the light thread
    // (a running one starts again).
    void ReadDeviceConfig() override;
    // Device thread: reads the light head back (ReadLightHead).
    void ReadDeviceProfile() override;
    void LoadProfile() override;
    void ApplyProfileToPage() override;
    // Device thread: the light head with the profile's light record at profileIndex x 64.
    int WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth, int screenHeight) override;
    // The headset's light mode names ("default_light.json").
    void ReloadMacroList() override;
    void LoadProfileDocument() override;
    void SaveProfile() override;

    // ---- Headset operations ---------------------------------------------------------------
    // The library's state into the profile words (start-up and each attach).
    void ReadAudioState();
    // Device thread: reads the light head; on success the active profile is returned through
    // activeProfile and kept (ActiveDeviceProfile).
    int ReadLightHead(int& activeProfile);
    std::optional<int> ActiveDeviceProfile() const;

    // Panel events ("6533_eq_option_" N, "6533_eq_hz_slider_" N, the name list, the switches
    // and sliders, the voice changer), each with the library writes in the panel's order.
    HeadsetChange SelectEqPreset(int preset) override;
    HeadsetChange SelectUserEqOption() override;
    HeadsetChange MoveBandSlider(int band, int value) override;
    HeadsetChange ChooseUserEq(int index) override;
    HeadsetChange ToggleMicrophone() override;
    HeadsetChange SetMicrophoneLevel(int level) override;
    HeadsetChange ToggleMonitor() override;
    HeadsetChange SetMonitorLevel(int level) override;
    HeadsetChange SetVoiceChanger(bool on) override;
    HeadsetChange SelectVoice(int voice) override;
    // The save action with the name edit's text; saved (when given) tells whether the file was written.
    EqSaveResult SaveUserEq(const std::string& name, bool* saved = nullptr) override;
    HeadsetChange DeleteUserEq() override;
    HeadsetChange SetSurround(bool on) override;
    HeadsetChange SetRoomEffect(bool on) override;
    HeadsetChange SetEnvironment(int environment) override;
    HeadsetChange SetRoomSize(int size) override;

    bool AudioActive() const override;
    bool HasVoiceChanger() const override;
    HeadsetSystemValues Words() const override;
    EqBandValues Bands() const override;
    std::vector<std::string> UserEqNames() const override;
    HeadsetPanel Panel() const override;
    HeadsetSurround Surround() const override;
    bool MicrophoneMuted() const override;
    bool MonitorMuted() const override;
    bool LibraryTookLastChange() const override;
    // ---- Light (the light panel's change is ILighting::ChangeLight) ---------------------
    LightSettings CurrentLight() const override;
    std::vector<LightEffectName> LightModeNames() const override;
    LightModeFamily ModeFamily() const override;
    // Modes 0-8 (5 plays the profile's light effect).
    bool OffersLightMode(uint8_t mode) const override;

    HeadsetLightHead LightHead() const;
    bool LightThreadRunning() const { return lightThread_.Running(); }
    // The light thread's pass: the passes due now (the effect's step, the effect sequence, the
    // per-LED effects); the wait it asks for before the next.
    std::chrono::milliseconds LightPass();

protected:
    CTalvorenUSBDevice& LightModel() override { return *this; }
    // The light record into the profile, then the file.
    bool StoreLight(const LightSettings& light) override;

private:
    // Runs a panel event under the model lock, then saves (when asked) and refreshes the view.
    HeadsetChange RunEvent(const std::function<bool(HeadsetSoundSettings&)>& event, bool save);
    HeadsetChange Finish(bool applied, bool save);
    HeadsetChange ChangeSurround(const std::function<bool(HeadsetSurround&)>& change,
                                 const std::function<void(const HeadsetAudio&, const HeadsetSurround&)>& write);

    AudioLoader loadAudio_;
    // Guarded by the model lock.
    CHs6533Profiledata profile_;
    HeadsetAudio audio_;
    HeadsetSoundSettings sound_{profile_, audio_};
    HeadsetSurround surround_;
    bool audioInitialised_ = false;
    HeadsetLightHead head_;
    std::optional<int> activeProfile_;
    std::vector<LightEffectName> lightModeNames_;
    // The pad's light with the headset's wave; guarded by the LED lock.
    MousePadLight headsetLight_;

    KeyboardLightThread lightThread_{[this] { return LightPass(); }};
};

}  // namespace morvek
