#include "app/panels/CMacroControlUI.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>

#include "app/DevicePageUI.h"
#include "app/MenuFile.h"
#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/controls/CComboEditListUI.h"
#include "app/controls/CRedioMacroButtonUI.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/DamagedFileMessage.h"
#include "app/panels/PanelHost.h"
#include "app/panels/PanelRoutes.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/Capabilities.h"
#include "devices/IKeyAssignment.h"
#include "devices/IMacroDownload.h"
#include "macros/JsonNumber.h"
#include "macros/MacroDeleteFlow.h"
#include "macros/MacroDownload.h"
#include "macros/MacroActionRow.h"
#include "macros/MacroMouseActions.h"

namespace morvek::app {
namespace {

constexpr const char* kMacroList = "macro_name_list";
constexpr const char* kNameEdit = "macro_edit_macroname";
constexpr const char* kActionList = "macro_action_list";
constexpr const char* kStart = "macro_btn_starredio";
constexpr const char* kStop = "macro_btn_stopredio";
constexpr const char* kConstantCheck = "macro_check_time";
constexpr const char* kConstantEdit = "macro_fixed_time_edit";
constexpr const char* kSource = "macro_record_source";
constexpr int kMacroRowHeight = 30;

// The controls a selected macro enables, and those a recording locks.
constexpr const char* kMacroControls[] = {kNameEdit, "macro_btn_export", "macro_btn_name_sub", "macro_btn_name_edit"};
constexpr const char* kEditingControls[] = {"macro_name_tab", kActionList, "macro_tab_macroaction_edit",
                                            "macro_tab_macrodelay_edit"};

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

const char* SourceTextKey(bool started, const hook::CDeviceHook& hook) {
    if (!started) return "macro_record_source_none";
    const bool desktop = hook.KeyboardReach() == hook::CDeviceHook::Reach::Desktop &&
                         hook.MouseReach() == hook::CDeviceHook::Reach::Desktop;
    return desktop ? "macro_record_source_desktop" : "macro_record_source_window";
}

}  // namespace

CMacroControlUI::CMacroControlUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {
    downloadTimer_.setSingleShot(true);
    connect(&downloadTimer_, &QTimer::timeout, this, &CMacroControlUI::DownloadMacros);
    hook_.SetSinks({[this](const hook::HookKeyEvent& e) { OnHookKey(e); },
                    [this](const hook::HookButtonEvent& e) { OnHookButton(e); }});
    // The writer's thread reports a failed save; the message is shown on this thread.
    QPointer<CMacroControlUI> self(this);
    panel_.SetSaveFailedHandler([self] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self] { if (self) self->ShowStatus(MacroStatus::WriteFailed); },
            Qt::QueuedConnection);
    });
    if (CComboEditListUI* list = ActionList()) {
        list->SetRowSource([this](int row) {
            CComboEditListUI::RowData data;
            const MacroAction& action = panel_.Actions().At(static_cast<size_t>(row));
            const MacroEvent event = MacroEvent::FromJson(action.event);
            const MacroActionRowView view = PresentMacroEvent(event);
            data.text1 = Translated(view.nameTextId);
            data.text1Style = QString::fromStdString(view.nameStyle);
            data.text2 = QString::fromStdString(view.actionText);
            data.text2Style = QString::fromStdString(view.actionStyle);
            data.text2Description =
                view.actionText.empty() ? Translated(event.down ? "macro_action_down_text" : "macro_action_up_text")
                                        : data.text2;
            data.editText = QString::fromStdString(action.delayText);
            data.editDescription = Translated("macro_delay_text");
            return data;
        });
        connect(list, &CComboEditListUI::RowClicked, this, [this](int row) { panel_.Actions().Select(row); });
        connect(list, &CComboEditListUI::EditTextEdited, this,
                [this](int row, const QString& text) { panel_.SetDelayText(static_cast<size_t>(row), text.toStdString()); });
    }
    // A choice made with the keyboard selects a macro as a click does.
    if (auto* macros = Find<QListWidget>(kMacroList)) {
        connect(macros, &QListWidget::currentRowChanged, this, [this](int row) {
            TNotifyUI msg;
            msg.wParam = row;
            if (Model() != nullptr) OnMacroChosen(msg, -1);
        });
    }
}

CMacroControlUI::~CMacroControlUI() { hook_.Stop(); }

void CMacroControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CMacroControlUI;
    routes.Name<P>("click", kStart, "macro_recording", &P::OnRecordClicked);
    routes.Name<P>("click", kStop, "macro_recording", &P::OnStopClicked);
    routes.Name<P>("click", "macro_btn_name_add", "macro_list", &P::OnAddClicked);
    routes.Name<P>("click", "macro_btn_name_sub", "macro_list", &P::OnDeleteClicked);
    routes.Name<P>("click", "macro_btn_name_edit", "macro_list", &P::OnRenameClicked);
    routes.Name<P>("click", "macro_btn_save", "macro_list", &P::OnSaveClicked);
    routes.Name<P>("click", "macro_btn_cancel", "macro_list", &P::OnCancelClicked);
    routes.Name<P>("click", "macro_btn_import", "macro_list", &P::OnImportClicked);
    routes.Name<P>("click", "macro_btn_export", "macro_list", &P::OnExportClicked);
    routes.Names<P>("click",
                    {"macro_btn_up", "macro_btn_down", "macro_btn_uptop", "macro_btn_downbottom", "macro_btn_delete",
                     "macro_btn_deleteall"},
                    "macro_event_edit", &P::OnEditClicked);
    routes.Names<P>("click",
                    {"macro_inset_moveleftkey_btn", "macro_inset_moverightkey_btn", "macro_inset_moveupkey_btn",
                     "macro_inset_movedownkey_btn"},
                    "macro_insert_move", &P::OnMoveClicked);
    routes.Name<P>("itemselect", kMacroList, "macro_list", &P::OnMacroChosen);
    routes.Name<P>("killfocus", "macro_delay", "macro_event_edit", &P::OnDelayLeft);
    routes.Name<P>("itemactivate", "macro_action", "macro_action_menu", &P::OnActionActivated);
    routes.Names<P>("menu",
                    {"redio_previous_record_time", "redio_previous_constant_time", "redio_previous_ignore_time",
                     "redio_later_record_time", "redio_later_constant_time", "redio_later_ignore_time"},
                    "macro_record_time_mode", &P::OnMenuItem);
    routes.Names<P>("menu",
                    {"macro_action_edit", "left_down", "left_up", "middle_down", "middle_up", "right_down", "right_up",
                     "forward_down", "forward_up", "back_down", "back_up", "left_click", "middle_click", "right_click",
                     "forward_click", "back_click"},
                    "macro_action_menu_item", &P::OnMenuItem);
}

// ---- Set-up and showing ----------------------------------------------------------------------

void CMacroControlUI::OnSetup() { SetFolder(Model()->GetUserDataFolder()); }

void CMacroControlUI::OnUnbind() {
    if (IsRecording()) StopRecording();
}

void CMacroControlUI::SetFolder(const std::filesystem::path& folder) {
    panel_.SetFolder(folder);
    ShowList();
    ShowActions();
    if (const auto& kept = panel_.List().DamagedListKept()) TellDamagedFileKept(Host(), *kept);
}

CComboEditListUI* CMacroControlUI::ActionList() const { return Find<CComboEditListUI>(kActionList); }

QString CMacroControlUI::Translated(const std::string& key) const {
    return key.empty() ? QString() : CResourceManager::GetInstance().Text(QString::fromStdString(key));
}

void CMacroControlUI::ShowList() {
    if (auto* list = Find<QListWidget>(kMacroList)) {
        const QSignalBlocker quiet(list);
        list->clear();
        for (const MacroInfo& macro : panel_.List().Macros()) {
            auto* item = new QListWidgetItem(QString::fromStdString(macro.name), list);
            item->setData(Qt::UserRole, QString::fromStdString(macro.guid));
            item->setSizeHint(QSize(0, kMacroRowHeight));
        }
        list->setCurrentRow(panel_.List().GetSelectedMacro());
    }
    ShowControls();
}

void CMacroControlUI::ShowActions() {
    CComboEditListUI* list = ActionList();
    if (list == nullptr) return;
    list->SetRowCount(static_cast<int>(panel_.Actions().Count()));
    list->RefreshRows();
    list->SetSelectedRow(panel_.Actions().Selected());
    list->EnsureRowVisible(panel_.Actions().Selected());
}

void CMacroControlUI::ShowControls() {
    const MacroPanelControls controls = panel_.Controls();
    for (const char* name : kMacroControls) {
        if (auto* control = Find<QWidget>(name)) control->setEnabled(controls.macroControls);
    }
    if (auto* layout = Find<QWidget>("macro_action_layout")) layout->setEnabled(controls.actionLayout);
}

void CMacroControlUI::SetEditingEnabled(bool on) {
    for (const char* name : kEditingControls) {
        if (auto* control = Find<QWidget>(name)) control->setEnabled(on);
    }
    if (auto* start = Find<QWidget>(kStart)) start->setVisible(on);
    if (auto* stop = Find<CRedioMacroButtonUI>(kStop)) {
        stop->setVisible(!on);
        stop->SetRecording(!on);
    }
}

void CMacroControlUI::LockPage(bool locked) {
    Host()->LockDeviceChoice(locked);
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* page = qobject_cast<CDevicePageUI*>(w)) {
            if (auto* bar = page->FindPanel<CDeviceProfileUI>()) bar->setEnabled(!locked);
            break;
        }
    }
}

void CMacroControlUI::ShowStatus(MacroStatus status) {
    const std::string message = MacroStatusMessage(status);
    if (!message.empty() && Host() != nullptr) Host()->Ask(QString::fromStdString(message), true, 0);
}

void CMacroControlUI::Save() { Saved(panel_.Save()); }

void CMacroControlUI::Saved(MacroStatus status) {
    ShowStatus(status);
    ShowActions();
    if (status != MacroStatus::Ok) return;
    savedMacro_ = panel_.List().GetSelectedMacro();
    downloadTimer_.start(kDownloadDelayMs);
}

void CMacroControlUI::DownloadMacros() {
    CTalvorenUSBDevice* model = Model();
    IPanelHost* host = Host();
    if (model == nullptr || savedMacro_ < 0) return;
    IMacroDownload* macros = CapabilityOf<IMacroDownload>(*model);
    if (macros == nullptr) return;
    // Only when a key of the device's profile plays the macro; the profile is read on the
    // device's thread, not here.
    model->RunOnDevice(
        [macros, folder = panel_.List().Folder(), profile = model->ProfileName(), macro = savedMacro_] {
            if (CountKeysBoundToMacroInProfile(folder, profile, macro) == 0) return kMacroDownloadDone;
            return macros->DownloadMacros();
        },
        [host](int macros) { host->ShowMacroDownloadResult(macros); });
}

void CMacroControlUI::AfterNamesChanged() {
    Model()->ReloadMacroList();
    emit MacroNamesChanged();
}

void CMacroControlUI::SendMacrosAndKeys() {
    CTalvorenUSBDevice* model = Model();
    IPanelHost* host = Host();
    if (model == nullptr) return;
    IMacroDownload* macros = CapabilityOf<IMacroDownload>(*model);
    IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(*model);
    if (macros == nullptr || keys == nullptr) return;
    // The key lists of the profile files changed: the model takes its profile's again.
    model->LoadProfileDocument();
    model->LoadProfile();
    model->ApplyProfileToPage();
    model->RunOnDevice(
        [macros, keys] {
            const int downloaded = macros->DownloadMacros();
            keys->WriteKeyAssignments(0);
            return downloaded;
        },
        [host](int macros) { host->ShowMacroDownloadResult(macros); });
}

// ---- The macro list --------------------------------------------------------------------------

void CMacroControlUI::OnMacroChosen(const TNotifyUI& msg, int) {
    if (msg.wParam < 0 || msg.wParam == panel_.List().GetSelectedMacro()) return;
    ShowStatus(panel_.SelectMacro(msg.wParam));
    ShowList();
    ShowActions();
}

void CMacroControlUI::OnAddClicked(const TNotifyUI&, int) {
    const MacroAddResult added = panel_.Add();
    ShowStatus(added.status);
    if (added.status != MacroStatus::Ok) return;
    ShowList();
    ShowActions();
    AfterNamesChanged();
}

void CMacroControlUI::OnDeleteClicked(const TNotifyUI&, int) {
    if (Host()->Ask("message_text_4", true, 1) != 1) return;
    if (panel_.List().GetSelectedMacro() < 0) {
        ShowControls();
        return;
    }
    if (panel_.KeysPlayingSelected() > 0 && Host()->Ask("message_text_2", true, 1) != 1) return;
    MacroKeyChanges changes;
    const MacroStatus status = panel_.DeleteSelected(changes);
    ShowStatus(status);
    if (status != MacroStatus::Ok) return;
    ShowList();
    ShowActions();
    AfterNamesChanged();
    if (changes.profiles > 0) SendMacrosAndKeys();
}

void CMacroControlUI::OnRenameClicked(const TNotifyUI&, int) {
    auto* edit = Find<QLineEdit>(kNameEdit);
    if (edit == nullptr) return;
    const MacroRenameResult renamed = panel_.Rename(edit->text().toStdString());
    ShowStatus(renamed.status);
    if (renamed.status != MacroStatus::Ok) return;
    edit->clear();
    ShowList();
    AfterNamesChanged();
}

void CMacroControlUI::OnSaveClicked(const TNotifyUI&, int) { Save(); }

void CMacroControlUI::OnCancelClicked(const TNotifyUI&, int) {
    panel_.Cancel();
    ShowActions();
}

void CMacroControlUI::OnImportClicked(const TNotifyUI&, int) {
    const QString file = Host()->ChooseFile(true, kFileFilter);
    if (file.isEmpty()) return;
    const MacroAddResult imported = panel_.Import(PathOf(file));
    ShowStatus(imported.status);
    if (imported.status != MacroStatus::Ok) return;
    ShowList();
    ShowActions();
    AfterNamesChanged();
}

void CMacroControlUI::OnExportClicked(const TNotifyUI&, int) {
    if (panel_.List().GetSelectedMacro() < 0) return;
    const QString file = Host()->ChooseFile(false, kFileFilter);
    if (!file.isEmpty()) ShowStatus(panel_.Export(PathOf(file)));
}

// ---- The actions -----------------------------------------------------------------------------

void CMacroControlUI::OnEditClicked(const TNotifyUI& msg, int) {
    const auto edit = ActionEditOfButton(msg.sName.toStdString());
    if (!edit) return;
    Saved(panel_.Edit(*edit));
}

void CMacroControlUI::OnMoveClicked(const TNotifyUI& msg, int) {
    const auto move = MoveActionOfButton(msg.sName.toStdString());
    if (!move) return;
    const auto* distance = Find<QLineEdit>(MoveDistanceEdit(*move));
    const long long value = distance ? IntegerOfText(distance->text().toStdString()) : 0;
    Saved(panel_.InsertMouseActions({*move}, value));
}

void CMacroControlUI::OnDelayLeft(const TNotifyUI&, int) { Save(); }

void CMacroControlUI::OnActionActivated(const TNotifyUI& msg, int) {
    CComboEditListUI* list = ActionList();
    const int row = list ? list->RowOf(msg.pSender) : -1;
    if (row < 0 || IsRecording()) return;
    panel_.Actions().Select(row);
    list->SetSelectedRow(row);
    if (actionMenu_ != nullptr) {
        actionMenu_->close();
        actionMenu_->deleteLater();
    }
    actionMenu_ = new QMenu(this);
    actionMenu_->setObjectName("macro_action_menu");
    LoadMenuFile(CResourceManager::GetInstance().FilePath(kActionMenu), *actionMenu_,
                 [this](const QString& item) { ChooseMenuItem(item); });
    actionMenu_->popup(QCursor::pos());
}

void CMacroControlUI::OnMenuItem(const TNotifyUI& msg, int) { ChooseMenuItem(msg.sName); }

void CMacroControlUI::ChooseMenuItem(const QString& item) {
    const std::vector<MacroMouseAction> actions = MouseActionsOfMenuItem(item.toStdString());
    if (!actions.empty()) {
        if (!IsRecording()) Saved(panel_.InsertMouseActions(actions, 0));
        return;
    }
    StartRecording(item);
}

// ---- Recording -------------------------------------------------------------------------------

void CMacroControlUI::OnRecordClicked(const TNotifyUI& msg, int) { StartRecording(msg.sName); }

void CMacroControlUI::OnStopClicked(const TNotifyUI&, int) { StopRecording(); }

void CMacroControlUI::StartRecording(const QString& trigger) {
    if (IsRecording()) return;
    const auto* constant = Find<QCheckBox>(kConstantCheck);
    const auto request = RecordingOfTrigger(trigger.toStdString(), constant != nullptr && constant->isChecked());
    if (!request) return;
    auto* delayEdit = Find<QLineEdit>(kConstantEdit);
    std::optional<std::string> shownDelay;
    const std::string delayText = delayEdit ? delayEdit->text().toStdString() : std::string();
    if (!panel_.StartRecording(*request, hook::CDeviceHook::NowMs(), delayText, shownDelay)) return;
    if (delayEdit != nullptr && shownDelay) {
        delayEdit->setText(QString::fromStdString(*shownDelay));
        delayEdit->setCursorPosition(static_cast<int>(delayEdit->text().size()));
    }
    const bool started = hook_.Start(window(), true, true);
    if (auto* source = Find<QLabel>(kSource)) {
        CResourceManager::GetInstance().SetResourceText(source, SourceTextKey(started, hook_));
        source->show();
    }
    SetEditingEnabled(false);
    LockPage(true);
    emit RecordingChanged(true);
}

void CMacroControlUI::StopRecording() {
    if (!IsRecording()) return;
    SetEditingEnabled(true);
    hook_.Stop();
    LockPage(false);
    if (auto* source = Find<QWidget>(kSource)) source->hide();
    Saved(panel_.StopRecording());
    emit RecordingChanged(false);
}

void CMacroControlUI::OnHookKey(const hook::HookKeyEvent& event) {
    ShowRecorded(panel_.RecordKey(event.press, event.scan.code, event.scan.extended, event.timeMs));
}

void CMacroControlUI::OnHookButton(const hook::HookButtonEvent& event) {
    const auto* stop = Find<QWidget>(kStop);
    const bool onStop =
        stop != nullptr && stop->isVisible() && QRect(stop->mapToGlobal(QPoint(0, 0)), stop->size()).contains(event.globalPos);
    ShowRecorded(panel_.RecordMouseButton(event.buttonBit, event.press, onStop, event.timeMs));
}

void CMacroControlUI::ShowRecorded(const RecordedAction& recorded) {
    CComboEditListUI* list = ActionList();
    if (recorded.kind == RecordedAction::Kind::Dropped || list == nullptr) return;
    // The list shows the new row at once (the selected row scrolled into view): a recording
    // must not lag behind the user.
    if (recorded.kind == RecordedAction::Kind::Placed) list->SetRowCount(static_cast<int>(panel_.Actions().Count()));
    list->RefreshRow(recorded.row);
    list->RefreshRow(recorded.changedDelayRow);
    list->SetSelectedRow(panel_.Actions().Selected());
    list->EnsureRowVisible(panel_.Actions().Selected() >= 0 ? panel_.Actions().Selected() : recorded.row);
}

}  // namespace morvek::app
