#include "app/panels/SetWnd.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

#include "app/DialogBuilder.h"
#include "app/MsgWnd.h"
#include "app/ResourceManager.h"
#include "app/SkinContent.h"
#include "platform/Trace.h"

namespace morvek::app {

namespace {

using update::RowTone;
using update::UpdateListModel;
using update::UpdateStatus;

const char* ToneName(RowTone tone) {
    switch (tone) {
        case RowTone::kGrey: return "grey";
        case RowTone::kOffered: return "offered";
        case RowTone::kFailed: return "failed";
        case RowTone::kNormal: break;
    }
    return "normal";
}

// The skin colours a row's texts by their "rowtone".
void SetTone(QWidget* control, const char* tone) {
    if (control == nullptr || control->property("rowtone").toString() == tone) return;
    control->setProperty("rowtone", tone);
    control->style()->unpolish(control);
    control->style()->polish(control);
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    return parent ? parent->findChild<T*>(name) : nullptr;
}

}  // namespace

CSetWnd::CSetWnd(QWidget* owner, update::UpdateServices services)
    : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint),
      pump_([this](const TNotifyUI& msg) { Notify(msg); }),
      session_(
          std::move(services),
          [this](std::function<void()> work) { QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection); },
          *this) {
    setObjectName("SetWnd");
    setWindowTitle(CResourceManager::GetInstance().Text("set_title_text"));
    setAttribute(Qt::WA_DeleteOnClose);
    content_ = LoadSkinContent(*this, kSkinName, pump_);
    resize(kWidth, kHeight);
}

CSetWnd::~CSetWnd() { session_.Stop(); }

void CSetWnd::SetLanguages(const std::vector<LanguageEntry>& languages, std::optional<int> position) {
    auto* combo = findChild<QComboBox*>("Language_combox_info");
    if (combo == nullptr) return;
    combo->clear();
    for (const LanguageEntry& language : languages) combo->addItem(QString::fromStdString(language.text));
    if (position && *position < combo->count()) combo->setCurrentIndex(*position);
}

void CSetWnd::Start(std::vector<UpdateIdentity> identities) { session_.Start(std::move(identities)); }

void CSetWnd::SetDpi(int dpi) { dpi_.Set(dpi); }

void CSetWnd::PlaceBeside(const QWidget& mainWindow) {
    const double scale = dpi_.Scale();
    const QRect main = mainWindow.frameGeometry();
    QPoint place(main.right() + 1 - qRound(kRightInset * scale) - width(), main.top() + qRound(kTopOffset * scale));
    if (const QScreen* screen = mainWindow.screen()) {
        const QRect area = screen->availableGeometry();
        place.setX(std::clamp(place.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
        place.setY(std::clamp(place.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    }
    move(place);
}

void CSetWnd::PlaceCentred() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void CSetWnd::RowsPrepared() {
    auto* box = findChild<QVBoxLayout*>("device_update_list_box");
    for (QWidget* row : rows_) delete row;
    rows_.clear();
    if (box == nullptr) return;
    CResourceManager& resources = CResourceManager::GetInstance();
    for (size_t i = 0; i < session_.Model().RowCount(); ++i) {
        CDialogBuilder builder(resources);
        QWidget* row = builder.Create(kRowSkinName, box->parentWidget());
        if (row == nullptr) {
            Trace("settings window: " + builder.ErrorString().toStdString());
            return;
        }
        row->setFixedHeight(kRowHeight);
        box->insertWidget(box->count() - 1, row);
        resources.ReloadText(row);
        pump_.Attach(row);
        rows_.push_back(row);
        RowChanged(i);
    }
    ShowStatus();
}

void CSetWnd::RowChanged(size_t index) {
    if (index >= rows_.size()) return;
    const update::UpdateRow& r = session_.Model().Row(index);
    QWidget* row = rows_[index];
    const int state = r.info.state;
    const QString name = QString::fromStdString(r.info.name);
    row->setProperty("userdata", QString::fromStdString(r.info.downloadAddress));
    if (auto* tick = Child<QCheckBox>(row, "check_name_select")) {
        const QSignalBlocker quiet(tick);
        tick->setText(name);
        tick->setAccessibleName(name);
        tick->setChecked(r.ticked);
        tick->setEnabled(r.tickEnabled);
        tick->setVisible(state != update::kRowLess);
    }
    if (auto* label = Child<QLabel>(row, "OldRev")) label->setText(QString::fromStdString(r.info.currentVersionText));
    if (auto* label = Child<QLabel>(row, "updateRev"))
        label->setText(state == update::kRowUpToDate ? QString() : QString::fromStdString(r.info.newVersionText));
    CResourceManager::GetInstance().SetResourceText(Child<QLabel>(row, "update_status_text"),
                                                    UpdateListModel::RowTextKey(r));
    const bool downloading = state == update::kRowDownloading;
    const bool installing = state == update::kRowInstalling;
    if (auto* bar = Child<QProgressBar>(row, "update_status_ing")) {
        bar->setVisible(downloading || installing);
        // Installing has no measure: the bar runs without an end.
        bar->setRange(0, installing ? 0 : 100);
        bar->setValue(r.percent);
    }
    if (auto* percent = Child<QLabel>(row, "update_progress_value")) {
        percent->setVisible(downloading);
        percent->setText(QString::number(r.percent) + "%");
    }
    if (auto* done = Child<QWidget>(row, "update_status_ok")) done->setVisible(state == update::kRowDownloaded);
    const char* tone = ToneName(UpdateListModel::ToneOf(r));
    for (const char* label : {"check_name_select", "OldRev", "updateRev", "update_status_text"})
        SetTone(Child<QWidget>(row, label), tone);
}

void CSetWnd::ListChanged() {
    for (size_t i = 0; i < rows_.size(); ++i) RowChanged(i);
    ShowStatus();
}

void CSetWnd::ShowStatus() {
    const UpdateListModel& model = session_.Model();
    const UpdateStatus status = model.Status();
    const bool checking = status == UpdateStatus::kChecking;
    if (auto* ring = findChild<QWidget*>("update_status_ring")) ring->setVisible(checking);
    // The mark of a finished check: not for a check that learnt nothing.
    const bool learntNothing = status == UpdateStatus::kNotReached || status == UpdateStatus::kNoInformation;
    if (auto* image = findChild<QWidget*>("update_status_image")) image->setVisible(!checking && !learntNothing);
    CResourceManager& resources = CResourceManager::GetInstance();
    if (auto* text = findChild<QLabel*>("Update_Status_text")) {
        const char* key = UpdateListModel::StatusTextKey(status);
        if (status == UpdateStatus::kLatest) {
            // The text and the last check's date: no key of its own.
            text->setProperty(CResourceManager::kResourceTextProperty, false);
            text->setText(resources.Text(key) + QString::fromStdString(session_.LastCheckDate()));
            text->setAccessibleName(text->text());
        } else {
            resources.SetResourceText(text, key);
        }
    }
    if (auto* button = findChild<QWidget*>("update_fw_and_ap")) {
        button->setVisible(model.UpdateButtonShown());
        button->setEnabled(model.UpdateButtonEnabled());
    }
    if (status == UpdateStatus::kOffered && !offerAnnounced_) {
        offerAnnounced_ = true;
        emit UpdatesOffered();
    }
}

void CSetWnd::LaunchFailed(size_t) {
    if (message_)
        message_(kLaunchFailedText);
    else
        ShowMessageBox(this, {}, kLaunchFailedText, dpi_.Value(), false, 0);
}

void CSetWnd::OnLanguageApplied() {
    CResourceManager& resources = CResourceManager::GetInstance();
    setWindowTitle(resources.Text("set_title_text"));
    resources.ReloadText(content_);
    ListChanged();
}

int CSetWnd::RowIndexOf(const QWidget* control) const {
    for (const QWidget* w = control; w != nullptr; w = w->parentWidget()) {
        const auto found = std::find(rows_.begin(), rows_.end(), w);
        if (found != rows_.end()) return static_cast<int>(found - rows_.begin());
    }
    return -1;
}

void CSetWnd::ShowPage(int page) {
    if (auto* pages = findChild<QStackedWidget*>("get_update_tab_layout")) pages->setCurrentIndex(page);
}

void CSetWnd::ShowConfirmation() {
    // Page 1 names what will be downloaded: each ticked row with its versions.
    QStringList chosen;
    const UpdateListModel& model = session_.Model();
    for (size_t i = 0; i < model.RowCount(); ++i) {
        const update::UpdateInfo& info = model.Row(i).info;
        if (model.Row(i).ticked)
            chosen << QString::fromStdString(info.name + "   " + info.currentVersionText + " \u2192 " + info.newVersionText);
    }
    if (auto* list = findChild<QLabel*>("update_confirm_list")) list->setText(chosen.join('\n'));
    ShowPage(1);
}

void CSetWnd::Confirm() {
    session_.Confirm();
    ShowPage(0);
    emit UpdatesTaken();
}

bool CSetWnd::RequestClose() {
    if (!session_.RequestClose()) return false;
    close();
    return true;
}

void CSetWnd::Notify(const TNotifyUI& msg) {
    const QString& name = msg.sName;
    if (msg.sType == "click") {
        if (name == "closebtn" || name == "laterbtn") RequestClose();
        else if (name == "minbtn") showMinimized();
        else if (name == "maxbtn") showMaximized();
        else if (name == "restorebtn") showNormal();
        else if (name == "set_in_update_wnd_btn") {
            if (auto* hint = findChild<QWidget*>("update_tishi_layout")) hint->hide();
            resize(kWidth, kHeight);
        } else if (name == "update_fw_and_ap") ShowConfirmation();
        else if (name == "update_back_btn") ShowPage(0);
        else if (name == "update_OK_btn") Confirm();
    } else if (msg.sType == "selectchanged" && name == "check_name_select") {
        const int row = RowIndexOf(msg.pSender);
        if (row >= 0) session_.SetTick(static_cast<size_t>(row), msg.wParam != 0);
    } else if (msg.sType == "itemselect" && name == "Language_combox_info") {
        emit LanguageChosen(msg.wParam);
    }
}

void CSetWnd::closeEvent(QCloseEvent* event) {
    if (!session_.Model().CanClose()) {
        event->ignore();
        return;
    }
    session_.Stop();
    event->accept();
}

void CSetWnd::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (auto* button = findChild<QWidget*>("maxbtn")) button->setVisible(!isMaximized());
    if (auto* button = findChild<QWidget*>("restorebtn")) button->setVisible(isMaximized());
}

void CSetWnd::mousePressEvent(QMouseEvent* event) {
    // The window has no frame: dragging its empty areas moves it.
    if (event->button() == Qt::LeftButton && windowHandle() != nullptr) windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

}  // namespace morvek::app
