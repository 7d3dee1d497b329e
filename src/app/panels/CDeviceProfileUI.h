#pragma once
// CDeviceProfileUI: the profile bar of a device page. It shows the profile list of the page's
// device kind in "device_profile_combo", offers the list operations in its fold-out menu
// ("profile_menu_layout": rename through "device_profile_name_edit", add, delete, copy,
// import, export, reset) and hosts the row of function tabs. The list itself is a
// ProfileListStore; the bar keeps its controls in step with it and, when the selection changes
// or a profile is reset, puts the profile on the device: the document is loaded and shown on
// the user-interface thread, the settings, macros and key table are written on the device's
// queue (ProfileSelection).
//
// Routes: the profile buttons, "device_profile_combo" (a switch 400 ms after the last choice,
// timer 1055) and the function tabs.

#include <QString>
#include <QTimer>

#include <cstdint>
#include <filesystem>
#include <optional>

#include "app/panels/DevicePanelUI.h"
#include "profiles/ProfileListStore.h"

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CDeviceProfileUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\DeviceProfile.xml";
    static constexpr int kSwitchDelayMs = 400;  // timer 1055
    static constexpr const char* kFileFilter = "Profile Files(*.json)";

    explicit CDeviceProfileUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

    // ---- The bar's operations (each does nothing before the paths are set) ----------------
    void SetDeviceKind(uint16_t kind) { kind_ = kind; }
    void SetPaths(std::filesystem::path profileFolder, std::filesystem::path templatePath);
    // Reads (or makes) the list, fills the combo, selects the stored profile, shows the tabs
    // of the kind.
    ProfileStatus LoadProfileList();
    // Selects entry index in the combo and the list file; raiseEvent starts a switch as a
    // user's choice would.
    ProfileStatus SelectProfile(int index, bool raiseEvent);
    int GetSelectedIndex() const;
    QString GetNameEditText() const;
    void SetNameEditText(const QString& text);
    void ShowProfileMenu(bool shown);
    bool IsProfileMenuShown() const;
    ProfileStatus AddProfile();
    ProfileStatus DeleteProfile();
    ProfileStatus CopyProfile();
    ProfileStatus ImportProfile(const std::filesystem::path& file);
    ProfileStatus ExportProfile(const std::filesystem::path& file) const;
    ProfileStatus ResetProfile();
    ProfileStatus RenameProfile(const QString& name);
    // Selects function tab n (1-8) and deselects the others; any other n deselects all.
    void SelectTab(int n);
    QString GetCurrentProfileUUID() const;

signals:
    // The device was given the profile at index (the switch of timer 1055, or a reset).
    void ProfileApplied(int index);
    // The profile was reset to the defaults (before ProfileApplied).
    void ProfileReset();

protected:
    void OnSetup() override;

private:
    // Route members.
    void OnAddClicked(const TNotifyUI& msg, int index);
    void OnDeleteClicked(const TNotifyUI& msg, int index);
    void OnCopyClicked(const TNotifyUI& msg, int index);
    void OnImportClicked(const TNotifyUI& msg, int index);
    void OnExportClicked(const TNotifyUI& msg, int index);
    void OnResetClicked(const TNotifyUI& msg, int index);
    void OnRenameClicked(const TNotifyUI& msg, int index);
    void OnMenuClicked(const TNotifyUI& msg, int index);
    void OnProfileChosen(const TNotifyUI& msg, int index);
    void OnTabSelected(const TNotifyUI& msg, int index);

    void StartSwitch();
    // ApplyProfileSelection: the combo's selection becomes the device's profile.
    void ApplyProfileSelection();
    // The device half of a switch or reset, on the device's queue.
    void WriteProfileToDevice();
    void FillList();
    // The message window says where the document the last load kept aside before it wrote it
    // anew was kept.
    void TellDamagedDocument();

    uint16_t kind_ = 0;
    std::optional<ProfileListStore> store_;
    QTimer switchTimer_;
};

}  // namespace morvek::app
