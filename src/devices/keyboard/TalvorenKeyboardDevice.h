#pragma once
// CTalvorenKeyboardDevice: the keyboard's device model. It wires the keyboard's pieces in the
// orders the keyboard page uses: the key layout read from the device, the key list and the
// key labels, the light settings and the 25-byte settings block, the custom light groups, the
// system settings and the macro download, all kept in the current profile document.
//
// Threads. As in the base: the operations that talk to the device (ReadDeviceConfig,
// ReadDeviceProfile, ReadKeyLayout, WriteKeyTable, WriteKeyAssignments, DownloadMacros,
// WriteSettings, WriteLedColourTable) are bodies for the device thread, reached through
// RunOnDevice. The panel operations (light, system and key changes, custom groups) run on the
// user-interface thread: they change the model and the profile document at once and post the
// device transfer, whose result comes back to done through the dispatcher.
// Locks: the model lock guards the profile document, the key list, the layout and the system
// settings; the light lock the effect sequence; the LED lock the light engine (light
// settings, LED buffer). Order: model lock, light lock, LED lock.
//
// The light preview (KeyboardPreview) computes the keyboard's look-alike into the LED buffer on
// the model's light thread, which ReadDeviceConfig starts and the destructor stops; mode
// changes, the profile's per-key effects and effect sequence, and the keyboard's key events
// reach it under the LED lock. SendLedFrame runs the ticks that went by and shows the buffer:
// nothing is sent to the keyboard.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "devicelink/TalvorenUSBDevice.h"
#include "devices/IKeyAssignment.h"
#include "devices/ILighting.h"
#include "devices/IMacroDownload.h"
#include "devices/keyboard/CustomLightTable.h"
#include "devices/keyboard/KeyboardSystemSettings.h"
#include "devices/keyboard/KeyLayout.h"
#include "devices/keyboard/preview/KeyboardPreview.h"
#include "devices/keys/KeyLabels.h"
#include "devices/lighting/KeyboardLightThread.h"
#include "devices/lighting/LightTypes.h"
#include "profiles/DefaultData.h"
#include "profiles/KeyboardProfiledata.h"

namespace morvek {

class CTalvorenKeyboardDevice : public CTalvorenUSBDevice,
                                public ILighting,
                                public IKeyAssignment,
                                public IMacroDownload {
public:
    // The result of a device transfer, delivered on the user-interface thread.
    using ResultCallback = std::function<void(int result)>;

    CTalvorenKeyboardDevice(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode = TaskQueueMode::Thread,
                            LightEngine::Clock flashClock = {});
    ~CTalvorenKeyboardDevice() override;

    std::string_view GetClassName() const override { return "TalvorenKeyboardDevice"; }

    // Copies the profile's light settings into the model (a changed mode restarts the effect),
    // reloads the per-key effects and the effect sequence, and tells the view to show itself.
    int RefreshPage() override;
    // With the light preview flag set, the view shows the LED buffer; the keyboard runs its
    // effects itself, so no frame is sent to it.
    void SendLedFrame() override;
    // The frame only shows the preview: it is built at once on the thread that asks for it.
    bool FrameTalksToDevice() const override { return false; }
    // Device thread: ReadKeyLayout, LoadProfile, ApplyProfileToPage, then the light preview
    // starts (StartLightPreview).
    void ReadDeviceConfig() override;
    // Device thread: ReadSettingsBlock.
    void ReadDeviceProfile() override;
    // The current profile's document, key list, light settings, system settings and name lists.
    void LoadProfile() override;
    // The shipped default profile's settings replace the current ones (name and identity stay);
    // then the page, the file and the page's lists follow. Nothing changes when the template
    // cannot be read.
    void RestoreDefaults() override;
    // Key labels, then the view shows the model.
    void ApplyProfileToPage() override;
    // Keys that play a macro the list no longer holds go back to their default; when any
    // changed the key list is stored and the labels refreshed.
    void CheckMacroAssignments() override;
    // Device thread. The key table as read, with the slot of every mapped key set from keys.
    // 1 on success; 0 when the channel is closed; -2 while no key layout was read; else the
    // failing command's result (the configuration session is ended all the same).
    int WriteKeyTable(int tableIndex, std::vector<KeyListEntry> keys) override;
    int WriteKeyAssignments(int tableIndex) override;
    // Device thread: the macros of the keyboard's folder (0 done, -1 failed, n > 0 events too many).
    int DownloadMacros() override;
    // Device thread: block profileIndex with byte 0 = firstValue, from the profile's light
    // settings and the system settings. 1, or the failing command's result.
    int WriteSettings(int profileIndex, int firstValue, int secondValue, int screenWidth, int screenHeight) override;
    // Macro names ("macro.config") and the keyboard's light mode names ("default_light.json").
    void ReloadMacroList() override;
    // The profile document of the current profile identity (none for an identity that is not
    // a plain time-stamp id), repaired from the keyboard template when it lacks its section.
    void LoadProfileDocument() override;
    void GetProfileName(std::string& name) const override;
    void SaveProfile() override;
    // The three "LightInfo" words: stored as the light parameters and in the profile document.
    void SetLightSettings(int32_t mode, int32_t value, uint32_t colour) override;
    // Selects a key of the matrix for the key panel; the built-in keys (FN, M1-M6) keep their
    // functions and cannot be selected.
    void SelectKey(int keyIndex) override;

    // ---- Keyboard operations ------------------------------------------------------------
    // Device thread. Reads the information record, the key table and the per-slot LED table
    // and rebuilds the key layout. 1 on success; 0 when the channel is closed; -2 when the
    // tables would not fit the 512-byte block (the layout stays); else the failing result.
    int ReadKeyLayout();
    // Replaces the selected key's entry, writes every "Assignment" into the profile document
    // and refreshes the key labels. kNoKey (nothing changed) while no key of the matrix is
    // selected.
    KeyAssignmentStatus StoreKeyAssignment(const KeyListEntry& entry) override;
    KeyPanelDevice KeyPanelKind() const override { return KeyPanelDevice::Keyboard; }
    // The labels of every key from the key list and the macro names; the view shows them.
    void RefreshKeyLabels();
    // Device thread: the keyboard's settings block in use into the model and the profile
    // (saved), the view shows it. 1, or the failing result with the model unchanged.
    int ReadSettingsBlock();
    // Device thread. In the custom light mode: the LED buffer as the per-key colour table; 0
    // in any other mode.
    int WriteLedColourTable();

    // Custom light groups (user-interface thread): select group n (stored in the profile and
    // the light settings; false for a group outside the profile's range), load the selected
    // group into the LED buffer, fill every key with the current colour (bright) or black,
    // paint one key with the current colour. The tables go to the keyboard on its queue.
    bool SelectCustomLightGroup(int group);
    void LoadCustomLightGroup(ResultCallback done = {});
    void FillCustomLightGroup(bool bright, ResultCallback done = {});
    void PaintKeyColour(int keyIndex, ResultCallback done = {});
    // Paints several keys (a rubber band) with one table write and one save.
    void PaintKeyColours(std::span<const int> keyIndexes, ResultCallback done = {});

    // System tab changes, all or none: stored and saved; block 0 is written when a value the
    // keyboard keeps changed. False (nothing stored) when a value is refused; saved tells
    // whether the profile file was written.
    using SystemChange = std::pair<KeyboardSystemField, int>;
    bool ChangeSystemSettings(std::span<const SystemChange> changes, bool& saved, ResultCallback done = {});

    // The profile document's file write; false when it failed or there is no document.
    bool SaveProfileDocument() override;

    // ---- Preview hooks ------------------------------------------------------------------
    // Resets the preview's effect state (phase, stage, fade levels, ripples).
    virtual void ResetLightEffects();
    // The start action of a newly chosen mode; the custom light mode loads its group first.
    virtual void StartLightMode(uint8_t mode);
    // Starts the light thread after the configuration read; a running one is stopped first.
    virtual void StartLightPreview();
    // A key of device slot `slot` was pressed (kKeyPhasePressed) or released
    // (kKeyPhaseReleased), on the event reader's thread: the reactive modes react.
    virtual void OnDeviceKeyEvent(int slot, int phase);
    bool LightPreviewRunning() const { return lightThread_.Running(); }

    // ---- Light (the light panel's change is ILighting::ChangeLight) ---------------------
    LightSettings CurrentLight() const override;
    // The keyboard's light mode names ("default_light.json"), as ReloadMacroList read them.
    std::vector<LightEffectName> LightModeNames() const override;
    LightModeFamily ModeFamily() const override;
    // Modes 0-39.
    bool OffersLightMode(uint8_t mode) const override;

    // ---- What the view and the command line read ----------------------------------------
    KeyboardSystemSettings SystemSettings() const;
    std::vector<KeyListEntry> KeyList() const override;
    std::vector<KeyButtonLabel> KeyLabels() const;
    KeyLayout Layout() const;
    std::vector<std::string> MacroNames() const override;
    std::optional<int> SelectedCustomLightGroup() const;
    std::filesystem::path ProfileDocumentPath() const;

protected:
    CTalvorenUSBDevice& LightModel() override { return *this; }
    // The three "LightInfo" words into the model and the profile, then the file.
    bool StoreLight(const LightSettings& light) override;

private:
    // Copies the profile's light settings into the light engine; true when the mode changed.
    bool CopyLightFromProfile();
    // Keys, system settings, light and macro names from the profile section in memory. Under
    // the model lock.
    void TakeProfileSection();
    // After a mode change: ResetLightEffects and the mode's start action.
    void RestartLightMode();
    // Writes the table on the device's queue (nothing without one).
    void PostColourTable(const std::optional<LedColourTable>& table, ResultCallback done);
    void PostWriteSettings(ResultCallback done);
    void StoreKeyList();
    // Computes the key labels from the key list and the macro names.
    void UpdateKeyLabels();
    // One pass of the light thread: the preview's due ticks, or a wait while the channel is
    // closed or the synchronised lighting drives the LEDs.
    std::chrono::milliseconds LightPass();

    CKeyboardProfiledata profile_;
    std::string profileDisplayName_;
    KeyLayout layout_;
    std::vector<KeyListEntry> keys_;
    std::vector<KeyButtonLabel> labels_;
    KeyboardSystemSettings system_;
    std::vector<std::string> macroNames_;
    bool macroListReadable_ = true;  // false: a damaged list, whose macro count means nothing
    std::vector<LightEffectName> lightModeNames_;
    LightEngine::Clock previewClock_;
    // Guarded by the LED lock.
    KeyboardPreview preview_;
    // Declared last: stopped first, before anything its passes use.
    KeyboardLightThread lightThread_;
};

}  // namespace morvek
