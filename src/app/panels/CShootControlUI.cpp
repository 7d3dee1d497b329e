#include "app/panels/CShootControlUI.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStackedWidget>

#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/controls/CChartViewUI.h"
#include "app/panels/DamagedFileMessage.h"
#include "app/panels/PanelHost.h"
#include "app/panels/PanelRoutes.h"
#include "devices/mouse/TalvorenMouseDevice.h"
#include "macros/ShootPanel.h"

namespace morvek::app {
namespace {

constexpr const char* kHorizontalCheck = "bullet_x_check";
constexpr const char* kVerticalCheck = "bullet_y_check";
constexpr const char* kXEdit = "bullet_x_eidt";
constexpr const char* kYEdit = "bullet_y_eidt";
constexpr const char* kDelayEdit = "bullet_delay_eidt";

QString GunOption(int gun) { return QStringLiteral("shoot_gun_op_%1").arg(gun); }
QString BulletOption(int bullet) { return QStringLiteral("bullet_op_%1").arg(bullet); }
std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

// Checks a button of an exclusive group without a notification.
void CheckQuietly(QAbstractButton* button, bool checked) {
    if (button == nullptr) return;
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
}

}  // namespace

CShootControlUI::CShootControlUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {
    // The bullet options read "Bullet 7" to a screen reader.
    const QString bullet = CResourceManager::GetInstance().Text("bullet_option_text");
    for (int b = 0; b < ShootEditor::kBulletCount; ++b) {
        if (auto* option = Find<QWidget>(BulletOption(b))) option->setAccessibleName(bullet + ' ' + QString::number(b + 1));
    }
}

void CShootControlUI::AddRoutes(PanelRoutes& routes) {
    using P = CShootControlUI;
    routes.Prefix<P>("selectchanged", "shoot_gun_op_", "shoot_editor", &P::OnGunChosen);
    routes.Prefix<P>("selectchanged", "bullet_op_", "shoot_editor", &P::OnBulletChosen);
    routes.Name<P>("click", "bullet_selected_prev", "shoot_editor", &P::OnPreviousClicked);
    routes.Name<P>("click", "bullet_selected_next", "shoot_editor", &P::OnNextClicked);
    routes.Names<P>("selectchanged", {kHorizontalCheck, kVerticalCheck}, "shoot_editor", &P::OnDirectionChanged);
    routes.Names<P>("killfocus", {kXEdit, kYEdit, kDelayEdit}, "shoot_editor", &P::OnEditLeft);
    routes.Name<P>("click", "shootdate_reset_btn", "shoot_editor", &P::OnResetClicked);
    routes.Name<P>("click", "shootdate_import_btn", "shoot_editor", &P::OnImportClicked);
    routes.Name<P>("click", "shootdate_export_btn", "shoot_editor", &P::OnExportClicked);
    routes.Name<P>("click", "shootdate_save_btn", "shoot_editor", &P::OnSaveClicked);
}

void CShootControlUI::OnSetup() {
    editor_.SetUserFolder(Model()->GetUserDataFolder());
    editor_.SetDefaultFolder(Model()->GetDefaultDataFolder());
    // A gun whose default is missing keeps what it has; nothing to tell the user at set-up. A
    // damaged pattern the user had was kept aside: the message window says where.
    editor_.InitShootData();
    for (const std::filesystem::path& kept : editor_.DamagedFilesKept()) TellDamagedFileKept(Host(), kept);
    editor_.SelectGun(0);
    SelectBullet(0);
}

// ---- Showing -------------------------------------------------------------------------------

void CShootControlUI::SelectBullet(int bullet) {
    editor_.SelectBullet(bullet);
    ShowSelection();
}

void CShootControlUI::ShowSelection() {
    const int gun = editor_.CurrentGun();
    const int bullet = editor_.CurrentBullet();
    for (int g = 0; g < ShootEditor::kGunCount; ++g) CheckQuietly(Find<QAbstractButton>(GunOption(g)), g == gun);
    if (auto* pictures = Find<QStackedWidget>("shoot_image_display_switch")) pictures->setCurrentIndex(gun);
    for (int b = 0; b < ShootEditor::kBulletCount; ++b) CheckQuietly(Find<QAbstractButton>(BulletOption(b)), b == bullet);
    if (auto* index = Find<QLabel>("bullet_select_index")) index->setText(QString::number(bullet + 1));

    const BulletStep step = editor_.LoadBullet(gun, bullet);
    CheckQuietly(Find<QCheckBox>(kHorizontalCheck), step.left);
    CheckQuietly(Find<QCheckBox>(kVerticalCheck), step.up);
    ShowDirectionTexts();
    const std::pair<const char*, int> edits[] = {{kXEdit, step.x}, {kYEdit, step.y}, {kDelayEdit, step.delay}};
    for (const auto& [name, value] : edits) {
        if (auto* edit = Find<QLineEdit>(name)) edit->setText(QString::number(value));
    }

    if (auto* chart = Find<CChartViewUI>("shoot_chart")) {
        chart->RemoveAll();
        const std::vector<ShootPathStep> path = ShootPath(editor_.LoadGun(gun));
        for (size_t i = 0; i < path.size(); ++i) chart->AddStep(QString::number(i + 1), path[i].dx, path[i].dy);
        chart->SetHighlighted(bullet);
    }
}

void CShootControlUI::ShowDirectionTexts() {
    CResourceManager& resources = CResourceManager::GetInstance();
    if (auto* check = Find<QCheckBox>(kHorizontalCheck))
        resources.SetResourceText(check, QString::fromStdString(ShootDirectionTextId(true, check->isChecked())));
    if (auto* check = Find<QCheckBox>(kVerticalCheck))
        resources.SetResourceText(check, QString::fromStdString(ShootDirectionTextId(false, check->isChecked())));
}

void CShootControlUI::ShowStatus(ShootStatus status) {
    const char* message = nullptr;
    switch (status) {
        case ShootStatus::Ok:
        case ShootStatus::OutOfRange: return;
        case ShootStatus::WriteFailed: message = "shoot_write_failed_text"; break;
        case ShootStatus::NoDefault:
        case ShootStatus::DamagedDefault: message = "shoot_no_default_text"; break;
        case ShootStatus::NotAShootFile: message = "shoot_not_a_pattern_text"; break;
        case ShootStatus::NoFile: message = "shoot_no_file_text"; break;
    }
    Host()->Ask(message, true, 0);
}

// ---- Routes ----------------------------------------------------------------------------------

void CShootControlUI::OnGunChosen(const TNotifyUI& msg, int gun) {
    if (msg.wParam == 0) return;  // the option that was left
    editor_.SelectGun(gun);
    SelectBullet(editor_.CurrentBullet());
}

void CShootControlUI::OnBulletChosen(const TNotifyUI& msg, int bullet) {
    if (msg.wParam != 0) SelectBullet(bullet);
}

void CShootControlUI::OnPreviousClicked(const TNotifyUI&, int) { SelectBullet(editor_.CurrentBullet() - 1); }

void CShootControlUI::OnNextClicked(const TNotifyUI&, int) { SelectBullet(editor_.CurrentBullet() + 1); }

void CShootControlUI::OnDirectionChanged(const TNotifyUI&, int) {
    // A direction is kept at once: nothing is lost when another bullet is chosen next.
    SaveBullet();
}

void CShootControlUI::OnEditLeft(const TNotifyUI&, int) { SaveBullet(); }

void CShootControlUI::SaveBullet() {
    const auto text = [this](const char* name) {
        const auto* edit = Find<QLineEdit>(name);
        return edit ? edit->text().toStdString() : std::string();
    };
    const auto* horizontal = Find<QCheckBox>(kHorizontalCheck);
    const auto* vertical = Find<QCheckBox>(kVerticalCheck);
    const BulletStep step = BulletFromEdits(text(kXEdit), text(kYEdit), text(kDelayEdit),
                                            horizontal && horizontal->isChecked(), vertical && vertical->isChecked());
    ShowStatus(editor_.SaveBullet(editor_.CurrentGun(), editor_.CurrentBullet(), step));
    // The values as stored (limited to what the mouse can do).
    ShowSelection();
}

void CShootControlUI::OnResetClicked(const TNotifyUI&, int) {
    ShowStatus(editor_.ResetGun(editor_.CurrentGun()));
    ShowSelection();
}

void CShootControlUI::OnImportClicked(const TNotifyUI&, int) {
    const QString file = Host()->ChooseFile(true, kFileFilter);
    if (file.isEmpty()) return;
    ShowStatus(editor_.ImportGun(PathOf(file)));
    ShowSelection();
}

void CShootControlUI::OnExportClicked(const TNotifyUI&, int) {
    const QString file = Host()->ChooseFile(false, kFileFilter);
    if (!file.isEmpty()) ShowStatus(editor_.ExportGun(PathOf(file)));
}

void CShootControlUI::OnSaveClicked(const TNotifyUI&, int) {
    auto* mouse = dynamic_cast<CTalvorenMouseDevice*>(Model());
    if (mouse == nullptr) return;
    IPanelHost* host = Host();
    QPointer<CShootControlUI> self(this);
    mouse->RunOnDevice([mouse] { return mouse->DownloadShootPatterns(); },
                       [host, self](int written) {
                           if (written != 1) host->Ask("shoot_download_failed_text", true, 0);
                           if (self) emit self->PatternsWritten(written == 1);
                       });
}

}  // namespace morvek::app
