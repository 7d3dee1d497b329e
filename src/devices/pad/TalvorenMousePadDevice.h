#pragma once
// CTalvorenMousePadDevice: the lit mouse pad (kind 3, 15 LEDs, no keys). The computer drives its
// LEDs: the pad's light thread computes every frame into the LED buffer and the base
// SendLedFrame streams it (45 bytes) every 50 ms; the pad also keeps a 21-byte settings block
// with the light parameters (MousePadSettingsBlock).
//
// Threads: the light thread (KeyboardLightThread running MousePadLight) steps the light engine
// under the LED lock; the
// profile document, the settings block and the light settings are guarded by the model lock;
// WriteSettings, ReadDeviceConfig and ReadDeviceProfile are device-thread bodies (reach them
// through RunOnDevice). The synchronised flag of the command channel pauses the light thread
// while the synchronised lighting paints the LEDs.

#include <chrono>
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "devicelink/DeviceInfoRecord.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/ILighting.h"
#include "devices/lighting/KeyboardLightThread.h"
#include "devices/pad/MousePadLight.h"
#include "devices/pad/MousePadSettingsBlock.h"
#include "profiles/BasicProfiledata.h"
#include "profiles/DefaultData.h"

namespace morvek {

class CTalvorenMousePadDevice : public CTalvorenUSBDevice, public ILighting {
public:
    CTalvorenMousePadDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode = TaskQueueMode::Thread,
                            LightEngine::Clock flashClock = {});
    ~CTalvorenMousePadDevice() override;

    std::string_view GetClassName() const override { return "TalvorenMousePadDevice"; }

    // Copies the profile's light settings into the model, the light engine and the settings
    // block (not its direction), reloads the user light effect; tells the view.
    int RefreshPage() override;
    // Device thread. With the channel open: begin, information record, end. Then LoadProfile,
    // ApplyProfileToPage and the light thread (re)starts.
    void ReadDeviceConfig() override;
    // Device thread: ReadSettingsBlock.
    void ReadDeviceProfile() override;
    // LoadProfileDocument, then RefreshPage.
    void LoadProfile() override;
    // Reloads the light names, then tells the view to show the light settings.
    void ApplyProfileToPage() override;
    // The default profile document replaces the current one: RefreshPage, SaveProfile,
    // ApplyProfileToPage. Nothing changes when the template cannot be read.
    void RestoreDefaults() override;
    // Device thread. Writes the settings block at profileIndex x 64; the other values are not
    // used by the pad. The write's result (1 success; 0 with the channel closed).
    int WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth, int screenHeight) override;
    // The pad's light mode names and visible flags from "default_light.json".
    void ReloadMacroList() override;
    // Reads the current profile's document from the "MousePad" folder (a profile whose identity
    // names no file reads the template and writes nothing).
    void LoadProfileDocument() override;
    // The loaded profile's name ("profilename" of its document).
    void GetProfileName(std::string& name) const override;
    // Writes the document back (LastSaveSucceeded tells how it went; a failed write leaves the
    // file as it was).
    void SaveProfile() override;
    // The three "LightInfo" words: stored in the model and handed to the profile document.
    void SetLightSettings(int32_t mode, int32_t value, uint32_t colour) override;

    // ---- Pad operations ---------------------------------------------------------------------
    // Device thread. Ends synchronised lighting for the pad and reads the block in use into the
    // settings block (the model's light settings stay); the read's result.
    int ReadSettingsBlock();
    // The model's light settings (what the profile holds).
    LightSettings CurrentLight() const override;
    MousePadSettingsBlock SettingsBlock() const;
    std::optional<DeviceInfoRecord> LastDeviceInfo() const;
    // Whether the last SaveProfile wrote the document.
    bool LastSaveSucceeded() const;
    // The light mode names of the pad's mode list.
    std::vector<LightEffectName> LightModeNames() const override;
    LightModeFamily ModeFamily() const override;
    // Any mode: 0-8 are the pad's list, higher ones play the profile's light effect.
    bool OffersLightMode(uint8_t mode) const override;
    bool LightThreadRunning() const { return lightThread_.Running(); }

protected:
    // The light passes that went by (the frame is built after them).
    void AdvanceLight() override;
    CTalvorenUSBDevice& LightModel() override { return *this; }
    // The three "LightInfo" words into the model and the profile, then the file.
    bool StoreLight(const LightSettings& light) override;

private:
    // The light thread's pass: the passes due now; how long the thread may sleep then.
    std::chrono::milliseconds RunLightPass();
    void CopyLightIntoModel(const LightSettings& light);

    CBasicProfiledata profile_;            // guarded by the model lock
    MousePadSettingsBlock block_;          // guarded by the model lock
    LightSettings light_;                  // guarded by the model lock
    std::optional<DeviceInfoRecord> info_; // guarded by the model lock
    std::vector<LightEffectName> modeNames_;  // guarded by the model lock
    bool lastSave_ = false;                // guarded by the model lock
    std::string profileDisplayName_;       // guarded by the model lock

    MousePadLight padLight_;  // guarded by the LED lock
    KeyboardLightThread lightThread_;
};

}  // namespace morvek
