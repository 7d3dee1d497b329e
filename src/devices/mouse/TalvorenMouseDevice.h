#pragma once
// CTalvorenMouseDevice: the mouse model. It keeps the attached mouse's facts and key table,
// the DPI stages, pointer values and light record of the current profile, and the state of the
// mouse page (DPI rows, logo tooltip); it writes the 66-byte settings block, the key table,
// the macros and the shoot patterns, and runs the light preview.
//
// Threads. Page operations (SetStage..., SelectPollingOption, the pointer values, the light
// change of ILighting) run on the user-interface thread: they change the model and the profile,
// save it, and post the settings write to the device thread; its result, when asked for,
// comes back on the user-interface thread. The key panel's operations (SelectKey,
// StoreKeyAssignment) and RestoreDefaults change the model and the profile on the caller's
// thread; the window then posts the writes (key table, settings block) to the device thread.
// The virtual operations that talk to the mouse run
// on the device thread. A mouse behind a wireless receiver (wireless channel) is asked
// whether it is reachable before each configuration command; when it is not, nothing more is
// sent. Model data is guarded by the model lock, the LED buffer by the LED lock.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devicelink/TalvorenUSBDevice.h"
#include "devices/IDpiStages.h"
#include "devices/IKeyAssignment.h"
#include "devices/ILighting.h"
#include "devices/IMacroDownload.h"
#include "devices/lighting/LightEffectPlayer.h"
#include "devices/mouse/MouseButtonMap.h"
#include "devices/mouse/MouseDpiPage.h"
#include "devices/mouse/MouseKeyAssignment.h"
#include "devices/mouse/MouseLightPreview.h"
#include "devices/mouse/MouseLightRecord.h"
#include "devices/mouse/MouseLightSteps.h"
#include "devices/mouse/MouseLogoTooltip.h"
#include "devices/mouse/MouseSettingBlock.h"
#include "profiles/DefaultData.h"
#include "profiles/MouseProfiledata.h"

namespace morvek {

class CTalvorenMouseDevice : public CTalvorenUSBDevice,
                             public ILighting,
                             public IKeyAssignment,
                             public IMacroDownload,
                             public IDpiStages {
public:
    // The settings write's result (1 success), on the user-interface thread.
    using WriteDone = std::function<void(int result)>;

    CTalvorenMouseDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode = TaskQueueMode::Thread,
                         LightEngine::Clock flashClock = {});
    ~CTalvorenMouseDevice() override;

    std::string_view GetClassName() const override { return "TalvorenMouseDevice"; }

    // Copies the profile's light record into the model (the preview starts again when the
    // effect changed), shows the DPI rows and tells the view.
    int RefreshPage() override;
    // Device thread: link check, begin, information record, block size, key table, end; then
    // the button map, the profile and the preview. Stops at the first failure (the session is
    // ended when it was begun).
    void ReadDeviceConfig() override;
    // Device thread: the block in use; the light record (not its direction) and the current
    // stage follow the mouse and are saved in the profile.
    void ReadDeviceProfile() override;
    // The selected profile's document (LoadProfileDocument), then its stages (merged into the
    // list held), current stage, pointer values, corrections, light record and key list, and the
    // page's name lists.
    void LoadProfile() override;
    void ApplyProfileToPage() override;
    // Buttons playing a macro the list no longer has go back to their default; the profile is
    // saved when any changed.
    void CheckMacroAssignments() override;
    // The default button: the template's section replaces the profile's (its name and identity
    // stay), the model takes it, RefreshPage, SaveProfile, ApplyProfileToPage. Without a
    // readable template nothing changes. The window writes the key table and block 0 after it.
    void RestoreDefaults() override;
    // Device thread. The key table as read at attach with the logical buttons' slots set from
    // keys. Refused (kResultRefused) while no key table was read. 1 on success.
    int WriteKeyTable(int tableIndex, std::vector<KeyListEntry> keys) override;
    int WriteKeyAssignments(int tableIndex) override;
    // Device thread: the macro download of the mouse's data folder (0 done, -1 failed, n > 0
    // events too many).
    int DownloadMacros() override;
    // Device thread: builds and writes the settings block. 1 on success.
    int WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth, int screenHeight) override;
    // The page's name lists: macros, built-in effects, custom light modes.
    void ReloadMacroList() override;
    // The current profile's document from the mouse's data folder (template: the default
    // mouse document). A profile identity that names no file loads the template only.
    void LoadProfileDocument() override;
    // The loaded document's "profilename".
    void GetProfileName(std::string& name) const override;
    void SaveProfile() override;
    // Selects logical button 0-9 for the key panel when the key list holds it, and the view
    // shows its assignment; any other index is ignored and the selection stays.
    void SelectKey(int keyIndex) override;

    // ---- Mouse operations -------------------------------------------------------------------
    // The key panel's commit: the selected button's assignment becomes entry's current half
    // (its default stays) and every "Assignment" is written into the profile document; the
    // file is written by SaveProfileDocument, the mouse by WriteKeyAssignments. A function the
    // mouse's panel cannot give a button is refused with nothing changed.
    KeyAssignmentStatus StoreKeyAssignment(const KeyListEntry& entry) override;
    // The profile document's file write; false when it failed or there is no document.
    bool SaveProfileDocument() override;
    // The macro names of the page's lists (Names), which a button may play.
    std::vector<std::string> MacroNames() const override;
    KeyPanelDevice KeyPanelKind() const override { return KeyPanelDevice::Mouse; }
    // Device thread: the shoot patterns of the mouse's data folder. 1 on success.
    int DownloadShootPatterns();
    // Device thread: ReadDeviceProfile's read of the block in use (kept as LastReadBlock) and
    // the active on-device profile number. While the channel is closed the block last read
    // stands. 1 on success, else the failing result with nothing changed.
    int ReadDeviceProfileBlock(uint8_t& activeProfile);
    // Device thread: ReadDeviceProfile with its result: the block read, the current stage and
    // the light record taken into the model and the profile, which is saved.
    int SyncFromDevice(uint8_t& activeProfile);

    // The screen size the settings block carries when WriteSettings is given none (0 x 0):
    // the main window passes the primary screen's; without a screen the size the mouse holds.
    void SetScreenSize(uint16_t width, uint16_t height) override;
    // Page events of the DPI rows and the polling options: model, profile, save, settings write.
    // Switching off the current stage makes the next enabled stage the current one.
    MouseEditStatus SetStageEnabled(int stage, bool on, WriteDone done = {}) override;
    MouseEditStatus SetStageSlider(int stage, int value, WriteDone done = {}) override;
    // The slider is moving: slider and edit follow, nothing is stored or sent.
    MouseEditStatus MoveStageSlider(int stage, int value) override;
    // The stage's edit box lost focus with text (a DPI value).
    MouseEditStatus CommitStageEdit(int stage, std::string_view text, WriteDone done = {}) override;
    MouseEditStatus SelectPollingOption(int option, WriteDone done = {}) override;
    // The system tab: stored in the profile only, never sent to the mouse.
    MouseEditStatus SetPointerSpeed(uint16_t value) override;
    MouseEditStatus SetDoubleClickTime(uint16_t value) override;
    MouseEditStatus SetPointerPrecision(bool on) override;
    // The page check with the scroll slider's value; both are shown again.
    MouseEditStatus SetScrollPage(bool on, uint16_t scrollLines) override;
    // Moving the scroll slider unticks the page check.
    MouseEditStatus SetScrollLines(uint16_t value) override;
    // The light panel pauses the preview while it edits.
    void SetLightPreviewPaused(bool paused);
    // Starts the preview thread (ReadDeviceConfig does); StopLightPreview ends it at once.
    void StartLightPreview();
    void StopLightPreview();
    bool LightPreviewRunning() const;
    // One preview step of the current effect into the LED buffer (the preview thread runs it);
    // the page shows the buffer with each frame (SendLedFrame, every 50 ms).
    void StepLightPreview();

    // ---- Light (the light panel's change is ILighting::ChangeLight) -------------------------
    // The light record as light settings.
    LightSettings CurrentLight() const override;
    // The built-in effects, then the custom light modes, as ReloadMacroList read them.
    std::vector<LightEffectName> LightModeNames() const override;
    LightModeFamily ModeFamily() const override;
    // The built-in effects 0-8, and the custom modes the light configuration lists.
    bool OffersLightMode(uint8_t mode) const override;

    // ---- What the page shows ----------------------------------------------------------------
    std::optional<MouseDpiFacts> DpiFacts() const override;
    std::optional<DeviceInfoRecord> DeviceInfo() const;
    // The 512-byte key table copy read at attach (empty before).
    std::vector<uint8_t> KeyTableCopy() const;
    MouseButtonMap ButtonMap() const;
    std::vector<DpiStageRecord> Stages() const override;
    int CurrentStage() const override;
    MouseSystemWords SystemWords() const override;
    uint8_t PollingIndex() const override;
    // The polling option the page selects: the index, or 0 when it is outside 0-4.
    int ShownPollingOption() const override;
    MouseLightRecord LightRecord() const;
    std::vector<KeyListEntry> KeyList() const override;
    MouseDpiPage DpiPage() const override;
    MouseLogoTooltip LogoTooltip() const;
    // The page's name lists as ReloadMacroList last read them.
    PageNameLists Names() const;
    // The block last read back from the mouse.
    std::optional<MouseSettingBlock::ReadBytes> LastReadBlock() const;

protected:
    // The preview's steps of the ticks that went by (while the preview runs).
    void AdvanceLight() override;
    CTalvorenUSBDevice& LightModel() override { return *this; }
    // The light record, the stages and the pointer values into the profile, then the file.
    bool StoreLight(const LightSettings& light) override;

private:
    // The stages, pointer values, corrections, light record and key list of the document
    // loaded, then the page's name lists.
    void TakeProfileSection();
    // Stage list grows to stage + 1 stages (new ones all zero). Model lock held.
    void GrowStages(int stage);
    // Stores stages, current stage and pointer values into the profile and saves it; the view
    // is told. Model lock held by the caller or not.
    bool StoreProfile();
    // The stages and pointer values into the profile, then the file. Under the model lock.
    bool SaveSettingsToProfile();
    // StoreProfile, then the settings write on the device thread.
    MouseEditStatus StoreAndWrite(WriteDone done);
    MouseEditStatus StoreSystem(const MouseSystemWords& words);
    // Ends a configuration session after a failed read (the link permitting).
    void EndSession();
    // The steps of the custom light mode the light plays (none for a built-in effect). Under
    // the model lock.
    std::vector<LightEffectStep> LoadCustomLightMode(const MouseLightRecord& light);

    // Guarded by the model lock.
    CMouseProfiledata profile_;
    std::optional<DeviceInfoRecord> info_;
    std::vector<uint8_t> keyTable_;
    MouseButtonMap buttonMap_;
    std::vector<DpiStageRecord> stages_;
    int currentStage_ = 0;
    MouseSystemWords system_{};
    std::vector<CorrectionEntry> corrections_;
    MouseLightRecord light_;
    bool lightShown_ = false;
    std::vector<KeyListEntry> keys_;
    MouseDpiPage dpiPage_;
    PageNameLists names_;
    uint16_t screenWidth_ = 0;
    uint16_t screenHeight_ = 0;
    std::string profileDisplayName_;
    std::optional<MouseSettingBlock::ReadBytes> lastBlock_;
    uint8_t lastActive_ = 0;

    // Guarded by the LED lock.
    MouseGroupFlow groupFlow_;
    LightEffectPlayer customPlayer_;

    MouseLightPreview preview_;
};

}  // namespace morvek
