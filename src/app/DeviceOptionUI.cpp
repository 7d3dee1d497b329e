#include "app/DeviceOptionUI.h"

#include <QFile>
#include <QIcon>
#include <QLabel>

#include "app/ResourceManager.h"
#include "devicelink/DeviceKinds.h"

namespace morvek::app {

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent) : QWidget(parent) { setProperty("class", "DeviceOption"); }

QString CDeviceOptionUI::IconPrefix(uint16_t kind, int variant) {
    switch (kind) {
        case 1: return "kb_device";
        case 2: return "ms_device";
        case 3: return variant == 1 ? "soft_mp_device" : "hard_mp_device";
        case 4:
        case 7: return "hd_device";
        case 5: return "hub_device";
        default: return "unknow_device";
    }
}

void CDeviceOptionUI::Link(CTalvorenUSBDevice* model, int pageIndex, int powerIndex) {
    model_ = model;
    pageIndex_ = pageIndex;
    powerIndex_ = powerIndex;
}

void CDeviceOptionUI::SetKind(uint16_t kind, int variant, const QString& kindNameKey) {
    prefix_ = IconPrefix(ListKindOf(kind), variant);
    setProperty("devicekind", prefix_);
    const CResourceManager& resources = CResourceManager::GetInstance();
    if (auto* name = findChild<QLabel*>("device_select_name")) resources.SetResourceText(name, kindNameKey);
    if (QAbstractButton* button = SelectButton()) {
        button->setProperty("devicekind", prefix_);
        if (button->text().isEmpty() || button->property(CResourceManager::kResourceTextProperty).toBool())
            resources.SetResourceText(button, kindNameKey);
    }
    UpdateIcons();
}

QAbstractButton* CDeviceOptionUI::SelectButton() const { return findChild<QAbstractButton*>("device_select"); }

QAbstractButton* CDeviceOptionUI::SynchroBox() const { return findChild<QAbstractButton*>("synchro_device_select"); }

bool CDeviceOptionUI::IsOptionSelected() const {
    const QAbstractButton* button = SelectButton();
    return button != nullptr && button->isChecked();
}

void CDeviceOptionUI::SelectOption() {
    if (QAbstractButton* button = SelectButton()) button->setChecked(true);
}

bool CDeviceOptionUI::IsSynchroChecked() const {
    const QAbstractButton* box = SynchroBox();
    return box != nullptr && box->isChecked();
}

void CDeviceOptionUI::SetSynchroChecked(bool checked) {
    QAbstractButton* box = SynchroBox();
    if (box != nullptr && box->isChecked() != checked) box->setChecked(checked);
    // The icons are loaded again only when the state they show changes.
    if (IsSynchroChecked() != iconsSynchronised_) UpdateIcons();
}

void CDeviceOptionUI::SetSynchroBoxVisible(bool visible) {
    if (QAbstractButton* box = SynchroBox()) box->setVisible(visible);
}

void CDeviceOptionUI::UpdateIcons() {
    QAbstractButton* button = SelectButton();
    if (button == nullptr) return;
    // While the device takes part in synchronised lighting its entry shows the synchronised set.
    iconsSynchronised_ = IsSynchroChecked();
    const QString base = "skin:common/device_ico/" + prefix_ + (iconsSynchronised_ ? "_synchro" : "");
    if (!QFile::exists(base + "_normal.png")) return;
    QIcon icon;
    icon.addFile(base + "_normal.png", {}, QIcon::Normal, QIcon::Off);
    icon.addFile(base + "_selected.png", {}, QIcon::Normal, QIcon::On);
    button->setIcon(icon);
}

}  // namespace morvek::app
