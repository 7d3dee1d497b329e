#include "app/panels/CDeviceProfileUI.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/panels/DamagedFileMessage.h"
#include "app/panels/PanelHost.h"
#include "app/panels/PanelRoutes.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/ProfileSelection.h"
#include "profiles/ProfileTabs.h"

namespace morvek::app {
namespace {

constexpr const char* kCombo = "device_profile_combo";
constexpr const char* kNameEdit = "device_profile_name_edit";
constexpr const char* kMenu = "profile_menu_layout";
// "The device did not answer. The change is kept in the profile ...".
constexpr const char* kNoAnswerKey = "device_no_answer_text";

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

}  // namespace

CDeviceProfileUI::CDeviceProfileUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {
    switchTimer_.setSingleShot(true);
    connect(&switchTimer_, &QTimer::timeout, this, &CDeviceProfileUI::ApplyProfileSelection);
}

void CDeviceProfileUI::AddRoutes(PanelRoutes& routes) {
    using P = CDeviceProfileUI;
    routes.Name<P>("click", "device_add_btn", "profile_add", &P::OnAddClicked);
    routes.Name<P>("click", "device_sub_btn", "profile_delete", &P::OnDeleteClicked);
    routes.Name<P>("click", "device_copy_btn", "profile_copy", &P::OnCopyClicked);
    routes.Name<P>("click", "device_import_btn", "profile_import", &P::OnImportClicked);
    routes.Name<P>("click", "device_export_btn", "profile_export", &P::OnExportClicked);
    routes.Name<P>("click", "device_profile_edit_save_btn", "profile_rename", &P::OnRenameClicked);
    routes.Name<P>("click", "profile_fun_spread_btn", "profile_menu", &P::OnMenuClicked);
    routes.Name<P>("click", "device_reset_btn", "profile_reset", &P::OnResetClicked);
    routes.Name<P>("itemselect", kCombo, "profile_switch_timer", &P::OnProfileChosen);
    for (int tab = 1; tab <= kProfileTabCount; ++tab)
        routes.Name<P>("selectchanged", ProfileTabName(tab), "function_tab", &P::OnTabSelected);
}

// ---- Set-up ----------------------------------------------------------------------------------

void CDeviceProfileUI::OnSetup() {
    CTalvorenUSBDevice& model = *Model();
    SetDeviceKind(model.Kind());
    SetPaths(model.GetUserDataFolder(), model.GetDefaultProfilePath());
    LoadProfileList();
    SelectTab(1);
    model.SetProfileName(GetCurrentProfileUUID().toStdString());
    model.LoadProfile();
    TellDamagedDocument();
    model.ApplyProfileToPage();
}

// ---- Operations ------------------------------------------------------------------------------

void CDeviceProfileUI::SetPaths(std::filesystem::path profileFolder, std::filesystem::path templatePath) {
    store_.emplace(kind_, std::move(profileFolder), std::move(templatePath));
}

ProfileStatus CDeviceProfileUI::LoadProfileList() {
    if (!store_) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->LoadProfileList();
    if (const auto& kept = store_->DamagedListKept()) TellDamagedFileKept(Host(), *kept);
    FillList();
    for (const ProfileTabVisibility& tab : ProfileTabVisibilityFor(kind_)) {
        auto* button = Find<QWidget>(tab.tabName);
        if (button == nullptr) continue;
        button->setVisible(tab.visible);
        if (tab.textKey != nullptr) CResourceManager::GetInstance().SetResourceText(button, tab.textKey);
    }
    return status;
}

void CDeviceProfileUI::TellDamagedDocument() {
    const auto load = Model()->LastProfileLoad();
    if (load && load->kept) TellDamagedFileKept(Host(), *load->kept);
}

void CDeviceProfileUI::FillList() {
    auto* combo = Find<QComboBox>(kCombo);
    if (combo == nullptr || !store_) return;
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const ProfileEntry& entry : store_->Profiles()) {
        const QString name = QString::fromStdString(entry.name);
        combo->addItem(name, name);
    }
    combo->setCurrentIndex(store_->GetSelectedIndex());
    SetNameEditText(combo->currentText());
}

ProfileStatus CDeviceProfileUI::SelectProfile(int index, bool raiseEvent) {
    auto* combo = Find<QComboBox>(kCombo);
    if (combo == nullptr || !store_) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->SelectProfile(index);
    if (status != ProfileStatus::kOk) return status;
    {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    }
    SetNameEditText(combo->currentText());
    if (raiseEvent) StartSwitch();
    return status;
}

int CDeviceProfileUI::GetSelectedIndex() const {
    const auto* combo = Find<QComboBox>(kCombo);
    return combo ? combo->currentIndex() : -1;
}

QString CDeviceProfileUI::GetNameEditText() const {
    const auto* edit = Find<QLineEdit>(kNameEdit);
    return edit ? edit->text() : QString();
}

void CDeviceProfileUI::SetNameEditText(const QString& text) {
    if (auto* edit = Find<QLineEdit>(kNameEdit)) edit->setText(text);
}

void CDeviceProfileUI::ShowProfileMenu(bool shown) {
    if (auto* menu = Find<QWidget>(kMenu)) menu->setVisible(shown);
}

bool CDeviceProfileUI::IsProfileMenuShown() const {
    const auto* menu = Find<QWidget>(kMenu);
    return menu != nullptr && !menu->isHidden();
}

ProfileStatus CDeviceProfileUI::AddProfile() {
    if (!store_ || Find<QComboBox>(kCombo) == nullptr) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->AddProfile();
    // The combo keeps its selection and the device its profile; the new one is stored as
    // the selection the next start takes.
    if (status == ProfileStatus::kOk) FillList();
    return status;
}

ProfileStatus CDeviceProfileUI::DeleteProfile() {
    if (!store_ || Find<QComboBox>(kCombo) == nullptr) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->DeleteProfile();
    if (status != ProfileStatus::kOk) return status;
    FillList();
    // The combo's new selection is handled like a user's choice.
    StartSwitch();
    return status;
}

ProfileStatus CDeviceProfileUI::CopyProfile() {
    if (!store_ || Find<QComboBox>(kCombo) == nullptr) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->CopyProfile();
    if (status == ProfileStatus::kOk) FillList();
    return status;
}

ProfileStatus CDeviceProfileUI::ImportProfile(const std::filesystem::path& file) {
    if (!store_ || Find<QComboBox>(kCombo) == nullptr) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->ImportProfile(file);
    if (status == ProfileStatus::kOk) FillList();
    return status;
}

ProfileStatus CDeviceProfileUI::ExportProfile(const std::filesystem::path& file) const {
    if (!store_) return ProfileStatus::kNoSelection;
    return store_->ExportProfile(file);
}

ProfileStatus CDeviceProfileUI::ResetProfile() {
    if (!store_) return ProfileStatus::kNoSelection;
    return store_->ResetProfile();
}

ProfileStatus CDeviceProfileUI::RenameProfile(const QString& name) {
    if (!store_ || Find<QComboBox>(kCombo) == nullptr) return ProfileStatus::kNoSelection;
    const ProfileStatus status = store_->RenameProfile(name.toStdString());
    if (status == ProfileStatus::kOk) FillList();
    return status;
}

void CDeviceProfileUI::SelectTab(int n) {
    std::vector<QAbstractButton*> tabs;
    for (int tab = 1; tab <= kProfileTabCount; ++tab) {
        auto* button = Find<QAbstractButton>(ProfileTabName(tab));
        if (button == nullptr) return;  // nothing happens unless all eight exist
        tabs.push_back(button);
    }
    for (size_t i = 0; i < tabs.size(); ++i) {
        QAbstractButton* button = tabs[i];
        const QSignalBlocker blocker(button);
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(static_cast<int>(i) + 1 == n);
        button->setAutoExclusive(exclusive);
    }
}

QString CDeviceProfileUI::GetCurrentProfileUUID() const {
    return store_ ? QString::fromStdString(store_->GetCurrentProfileUUID()) : QString();
}

// ---- Flows -------------------------------------------------------------------------------------

void CDeviceProfileUI::OnAddClicked(const TNotifyUI&, int) { AddProfile(); }

void CDeviceProfileUI::OnDeleteClicked(const TNotifyUI&, int) { DeleteProfile(); }

void CDeviceProfileUI::OnCopyClicked(const TNotifyUI&, int) { CopyProfile(); }

void CDeviceProfileUI::OnMenuClicked(const TNotifyUI&, int) { ShowProfileMenu(!IsProfileMenuShown()); }

void CDeviceProfileUI::OnImportClicked(const TNotifyUI&, int) {
    if (GetSelectedIndex() < 0) return;
    const QString file = Host()->ChooseFile(true, kFileFilter);
    // A file that is not a profile document is ignored without a message.
    if (!file.isEmpty()) ImportProfile(PathOf(file));
}

void CDeviceProfileUI::OnExportClicked(const TNotifyUI&, int) {
    if (GetSelectedIndex() < 0) return;
    const QString file = Host()->ChooseFile(false, kFileFilter);
    if (!file.isEmpty()) ExportProfile(PathOf(file));
}

void CDeviceProfileUI::OnRenameClicked(const TNotifyUI&, int) {
    const QString name = GetNameEditText();
    ProfileStatus status = ProfileStatus::kNameEmpty;
    if (!name.isEmpty()) status = name.contains(' ') ? ProfileStatus::kNameHasBlank : RenameProfile(name);
    if (const char* message = ProfileMessageKey(status)) Host()->Ask(message, true, 0);
}

void CDeviceProfileUI::OnResetClicked(const TNotifyUI&, int) {
    if (Host()->Ask("message_text_22", true, 1) != 1) return;
    if (ResetProfile() != ProfileStatus::kOk) return;
    emit ProfileReset();
    LoadSelectedProfile(*Model(), false);
    TellDamagedDocument();
    WriteProfileToDevice();
    emit ProfileApplied(GetSelectedIndex());
}

void CDeviceProfileUI::OnProfileChosen(const TNotifyUI&, int) { StartSwitch(); }

void CDeviceProfileUI::OnTabSelected(const TNotifyUI& msg, int) {
    if (msg.wParam == 0) return;  // the tab that was left
    for (int tab = 1; tab <= kProfileTabCount; ++tab) {
        if (msg.sName == ProfileTabName(tab)) Model()->SetFunctionType(tab);
    }
}

void CDeviceProfileUI::StartSwitch() {
    // Choices within 400 ms of each other switch once, to the last one.
    switchTimer_.start(kSwitchDelayMs);
}

void CDeviceProfileUI::ApplyProfileSelection() {
    CTalvorenUSBDevice* model = Model();
    const int index = GetSelectedIndex();
    if (model == nullptr || index < 0 || SelectProfile(index, false) != ProfileStatus::kOk) return;
    model->SetProfileName(GetCurrentProfileUUID().toStdString());
    LoadSelectedProfile(*model, true);
    TellDamagedDocument();
    WriteProfileToDevice();
    emit ProfileApplied(index);
}

void CDeviceProfileUI::WriteProfileToDevice() {
    CTalvorenUSBDevice* model = Model();
    // A profile with no settings at all (no template either) is not written: the readers'
    // defaults would switch the device's lights off and its DPI stages to 0.
    const auto load = model->LastProfileLoad();
    if (load && load->outcome == ProfileLoad::kNoSettings) return;
    IPanelHost* host = Host();
    const QSize screen = host->ScreenSize();
    struct Outcome {
        int macros;
        bool answered;  // no command of the sequence went unanswered
    };
    model->RunOnDevice(
        [model, screen] {
            const int macros = WriteSelectedProfile(*model, screen.width(), screen.height());
            return Outcome{macros, !model->CommandChannel().SequenceUnanswered()};
        },
        [host](const Outcome& outcome) {
            // A device that stopped answering ended the sequence: that, not a macro failure, is
            // what the user is told.
            if (!outcome.answered) {
                host->Ask(kNoAnswerKey, true, 0);
            } else {
                host->ShowMacroDownloadResult(outcome.macros);
            }
        });
}

}  // namespace morvek::app
