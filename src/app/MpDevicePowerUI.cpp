#include "app/MpDevicePowerUI.h"

#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QRegularExpression>

namespace morvek::app {

namespace {

void ShowImage(QWidget* control, const QString& imageText) {
    if (control == nullptr) return;
    control->setProperty("image", imageText);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        const QPixmap picture(SkinImagePath(imageText));
        if (!picture.isNull()) label->setPixmap(picture);
    }
}

}  // namespace

QString SkinImagePath(const QString& imageText) {
    static const QRegularExpression file("file='([^']*)'");
    const QRegularExpressionMatch match = file.match(imageText);
    const QString name = match.hasMatch() ? match.captured(1) : imageText;
    return name.isEmpty() ? QString() : "skin:" + name;
}

CMpDevicePowerUI::CMpDevicePowerUI(QWidget* parent) : QWidget(parent) { setProperty("class", "MpDevicePower"); }

void CMpDevicePowerUI::SetKind(int deviceKind, int role) {
    kind_ = PowerIndicatorKind(deviceKind);
    role_ = role;
}

void CMpDevicePowerUI::ShowPowerStatus(std::span<const uint8_t> bytes) { Apply(DecodePowerStatus(bytes, kind_)); }

void CMpDevicePowerUI::Apply(const PowerIndicatorState& state) {
    auto* bar = findChild<QProgressBar*>(kPowerProgressControl);
    if (bar) bar->setValue(state.levelBarValue);
    if (auto* value = findChild<QLabel*>(kPowerValueControl)) value->setText(QString::fromStdString(state.valueText));
    if (state.wirelessLogoVisible) {
        if (auto* logo = findChild<QWidget*>(kPowerWirelessLogoControl)) logo->setVisible(*state.wirelessLogoVisible);
    }
    if (state.levelBarVisible && bar) bar->setVisible(*state.levelBarVisible);
    if (state.statusImage)
        ShowImage(findChild<QWidget*>(kPowerStatusControl), QString::fromStdString(*state.statusImage));
    if (state.phoneImage) {
        QWidget* phone = findChild<QWidget*>(kPowerPhoneControl);
        ShowImage(phone, QString::fromStdString(*state.phoneImage));
        if (phone && state.phoneName) phone->setProperty("phonetype", QString::fromStdString(*state.phoneName));
    }
}

}  // namespace morvek::app
