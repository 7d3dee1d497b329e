#include "app/panels/CMouseDpiUI.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>

#include "app/NotifyPump.h"
#include "app/ResourceManager.h"
#include "app/panels/PanelRoutes.h"
#include "devicelink/ResultCodes.h"
#include "devices/Capabilities.h"
#include "devices/IDpiStages.h"

namespace morvek::app {
namespace {

constexpr const char* kPollingPrefix = "polling_rate_option_";
constexpr const char* kNotice = "dpi_device_notice";
// The slider of the stage in use is drawn by the style sheet through this property.
constexpr const char* kCurrentProperty = "stageCurrent";

QString Indexed(const char* prefix, int n) { return QString(prefix) + QString::number(n); }

}  // namespace

CMouseDpiUI::CMouseDpiUI(QWidget* parent) : CDevicePanelUI(kSkinName, parent) {}

void CMouseDpiUI::AddRoutes(PanelRoutes& routes) {
    using P = CMouseDpiUI;
    routes.Prefix<P>("selectchanged", "DPI_enable_check_", "mouse_dpi_stage", &P::OnStageEnabled);
    routes.Prefix<P>("valuechanged", "DPI_slider_", "mouse_dpi", &P::OnStageSlider);
    routes.Prefix<P>("movevaluechanged", "DPI_slider_", "mouse_dpi_live", &P::OnStageMoving);
    routes.Prefix<P>("killfocus", "DPI_edit_", "mouse_dpi", &P::OnStageEdit);
    routes.Prefix<P>("selectchanged", kPollingPrefix, "polling_rate", &P::OnPollingChosen);
}

void CMouseDpiUI::OnSetup() {
    dpi_ = CapabilityOf<IDpiStages>(*Model());
    if (auto* notice = Find<QLabel>(kNotice)) notice->hide();
    OnShowModel();
}

void CMouseDpiUI::OnUnbind() { dpi_ = nullptr; }

void CMouseDpiUI::OnShowModel() {
    if (dpi_ == nullptr) return;
    ShowRows();
    const int polling = dpi_->ShownPollingOption();
    for (int n = 0; n < kMousePollingOptionCount; ++n) {
        if (auto* option = Find<QAbstractButton>(Indexed(kPollingPrefix, n))) {
            const QSignalBlocker blocker(option);
            option->setChecked(n == polling);
        }
    }
}

void CMouseDpiUI::ShowRows() {
    // The slider ranges follow what the attached mouse reported; until then the skin's stand.
    if (const auto facts = dpi_->DpiFacts(); facts && facts->maxSlider != 0) {
        for (int n = 0; n < kMouseStageCount; ++n) {
            if (auto* slider = Find<QSlider>(Indexed("DPI_slider_", n))) {
                const QSignalBlocker blocker(slider);
                slider->setRange(0, facts->maxSlider);
            }
        }
    }
    for (int n = 0; n < kMouseStageCount; ++n) ShowRow(n);
}

void CMouseDpiUI::ShowRow(int stage) {
    const DpiStageRow row = dpi_->DpiPage().Row(stage);
    auto* layout = Find<QWidget>(Indexed("DPI_layout_", stage));
    if (layout == nullptr) return;
    // A profile with fewer stages shows only the stages it has.
    layout->setVisible(row.shown);
    if (auto* check = Find<QAbstractButton>(Indexed("DPI_enable_check_", stage))) {
        const QSignalBlocker blocker(check);
        check->setChecked(row.checked);
        check->setEnabled(row.checkEnabled);
    }
    auto* slider = Find<QSlider>(Indexed("DPI_slider_", stage));
    auto* edit = Find<QLineEdit>(Indexed("DPI_edit_", stage));
    for (QWidget* control : {static_cast<QWidget*>(slider), static_cast<QWidget*>(edit)}) {
        if (control != nullptr) control->setEnabled(row.rowEnabled);
    }
    if (slider != nullptr) {
        if (!slider->isSliderDown()) {
            const QSignalBlocker blocker(slider);
            slider->setValue(row.slider);
        }
        if (slider->property(kCurrentProperty).toBool() != row.current) {
            slider->setProperty(kCurrentProperty, row.current);
            slider->style()->unpolish(slider);
            slider->style()->polish(slider);
        }
    }
    if (edit != nullptr && !edit->hasFocus()) {
        const QSignalBlocker blocker(edit);
        edit->setText(QString::fromStdString(row.edit));
    }
}

void CMouseDpiUI::ShowWriteResult(int result) {
    if (auto* notice = Find<QLabel>(kNotice)) {
        const bool failed = result != kResultSuccess;
        notice->setVisible(failed);
        if (failed) {
            const bool away = result == kResultNoAnswer || result == kResultWriteFailed;
            const char* key = !away ? "device_refused_text"
                              : Model() != nullptr && Model()->CommandChannel().IsWireless() ? "device_out_of_reach_text"
                                                                                          : "device_no_answer_text";
            notice->setText(CResourceManager::GetInstance().Text(key));
        }
    }
    emit WrittenToDevice(result);
}

// ---- Routes ----------------------------------------------------------------------------------

void CMouseDpiUI::OnStageEnabled(const TNotifyUI& msg, int index) {
    if (dpi_ == nullptr) return;
    QPointer<CMouseDpiUI> panel(this);
    dpi_->SetStageEnabled(index, msg.wParam != 0, [panel](int result) {
        if (panel) panel->ShowWriteResult(result);
    });
    ShowRows();
}

void CMouseDpiUI::OnStageSlider(const TNotifyUI& msg, int index) {
    if (dpi_ == nullptr) return;
    QPointer<CMouseDpiUI> panel(this);
    dpi_->SetStageSlider(index, msg.wParam, [panel](int result) {
        if (panel) panel->ShowWriteResult(result);
    });
    ShowRow(index);
}

void CMouseDpiUI::OnStageMoving(const TNotifyUI& msg, int index) {
    if (dpi_ == nullptr || dpi_->MoveStageSlider(index, msg.wParam) != MouseEditStatus::kDone) return;
    // Only the edit follows the handle; nothing is stored or sent until it is let go.
    if (auto* edit = Find<QLineEdit>(Indexed("DPI_edit_", index))) {
        const QSignalBlocker blocker(edit);
        edit->setText(QString::fromStdString(dpi_->DpiPage().Row(index).edit));
    }
}

void CMouseDpiUI::OnStageEdit(const TNotifyUI& msg, int index) {
    if (dpi_ == nullptr) return;
    auto* edit = qobject_cast<QLineEdit*>(msg.pSender.data());
    if (edit == nullptr) return;
    QPointer<CMouseDpiUI> panel(this);
    dpi_->CommitStageEdit(index, edit->text().toStdString(), [panel](int result) {
        if (panel) panel->ShowWriteResult(result);
    });
    ShowRow(index);
    // The edit shows the DPI the stage got (a typed value rounded down to the mouse's step).
    const QSignalBlocker blocker(edit);
    edit->setText(QString::fromStdString(dpi_->DpiPage().Row(index).edit));
}

void CMouseDpiUI::OnPollingChosen(const TNotifyUI& msg, int index) {
    if (dpi_ == nullptr || msg.wParam == 0) return;
    QPointer<CMouseDpiUI> panel(this);
    dpi_->SelectPollingOption(index, [panel](int result) {
        if (panel) panel->ShowWriteResult(result);
    });
}

}  // namespace morvek::app
