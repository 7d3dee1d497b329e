#pragma once
// CMacroControlUI: the macro editor of the keyboard and mouse pages. On the left the macros of
// the page's device kind ("macro_name_list") with add, delete, rename, import and export; on the
// right the actions of the selected macro ("macro_action_list", one row per action with its
// delay) with the moves, deletes, inserted mouse moves, the action menu of a row and recording.
// The logic is the core's MacroPanel; the panel copies between it and its controls.
//
// Recording takes keys and mouse buttons from CDeviceHook: while it runs the panel's lists are
// locked, and so are the window's device list and the page's profile bar; a line says where the
// events come from. Every change to the actions is saved at once (the file is written on the
// file write queue's thread); when a key of the device's profile plays the macro, the macros are
// downloaded again half a second after the last change. Deleting a macro fixes the keys of
// every profile of the kind and, when keys changed, downloads the macros and writes the key
// table of the device.
//
// Routes: the panel's buttons, "macro_name_list", "macro_delay", "itemactivate" on a
// "macro_action" row, and the menu items "redio_..." of the tray and the action menu.

#include <QString>
#include <QTimer>

#include <filesystem>

#include "app/panels/DevicePanelUI.h"
#include "macros/MacroPanel.h"
#include "platform/hook/qt/CDeviceHook.h"

class QMenu;

namespace morvek::app {

class CComboEditListUI;
class PanelRoutes;
struct TNotifyUI;

class CMacroControlUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\MacroControl.xml";
    static constexpr const char* kActionMenu = "XML\\Menus\\macro_action_menu.xml";
    static constexpr const char* kFileFilter = "Macro Files(*.mac)";
    static constexpr int kDownloadDelayMs = 500;

    explicit CMacroControlUI(QWidget* parent = nullptr);
    ~CMacroControlUI() override;

    static void AddRoutes(PanelRoutes& routes);

    // The macro folder (the kind's data folder); the list is read and shown again.
    void SetFolder(const std::filesystem::path& folder);
    bool IsRecording() const { return panel_.Recorder().IsRecording(); }
    // The menu of a row's actions as last opened (for the desktop automation of tests).
    QMenu* ActionMenu() const { return actionMenu_; }

signals:
    // The macro names changed (added, deleted, renamed, imported).
    void MacroNamesChanged();
    void RecordingChanged(bool recording);

protected:
    void OnSetup() override;
    void OnUnbind() override;

private:
    // Route members.
    void OnRecordClicked(const TNotifyUI& msg, int index);
    void OnStopClicked(const TNotifyUI& msg, int index);
    void OnAddClicked(const TNotifyUI& msg, int index);
    void OnDeleteClicked(const TNotifyUI& msg, int index);
    void OnRenameClicked(const TNotifyUI& msg, int index);
    void OnSaveClicked(const TNotifyUI& msg, int index);
    void OnCancelClicked(const TNotifyUI& msg, int index);
    void OnImportClicked(const TNotifyUI& msg, int index);
    void OnExportClicked(const TNotifyUI& msg, int index);
    void OnEditClicked(const TNotifyUI& msg, int index);
    void OnMoveClicked(const TNotifyUI& msg, int index);
    void OnMacroChosen(const TNotifyUI& msg, int index);
    void OnDelayLeft(const TNotifyUI& msg, int index);
    void OnActionActivated(const TNotifyUI& msg, int index);
    void OnMenuItem(const TNotifyUI& msg, int index);

    void ChooseMenuItem(const QString& item);
    void StartRecording(const QString& trigger);
    void StopRecording();
    void SetEditingEnabled(bool on);
    void LockPage(bool locked);
    void OnHookKey(const hook::HookKeyEvent& event);
    void OnHookButton(const hook::HookButtonEvent& event);
    void ShowRecorded(const RecordedAction& recorded);
    // Saves the macro; a failure, now or on the writer's thread, is shown.
    void Save();
    // After a save: the status shown, the actions shown, and the macros downloaded a moment
    // later when a key of the device's profile plays the saved macro.
    void Saved(MacroStatus status);
    void DownloadMacros();
    void ShowStatus(MacroStatus status);
    void AfterNamesChanged();
    // Brings the device up to date after keys of its profile changed.
    void SendMacrosAndKeys();

    // Showing the panel.
    void ShowList();
    void ShowActions();
    void ShowControls();
    CComboEditListUI* ActionList() const;
    QString Translated(const std::string& key) const;

    MacroPanel panel_;
    hook::CDeviceHook hook_;
    QMenu* actionMenu_ = nullptr;
    QTimer downloadTimer_;
    int savedMacro_ = -1;  // the macro last saved, downloaded when the timer runs out
};

}  // namespace morvek::app
