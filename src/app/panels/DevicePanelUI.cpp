#include "app/panels/DevicePanelUI.h"

#include <QVBoxLayout>

#include "app/DevicePageUI.h"
#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "platform/Trace.h"

namespace morvek::app {

CDevicePanelUI::CDevicePanelUI(const QString& skinName, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    CDialogBuilder builder(CResourceManager::GetInstance());
    QWidget* content = builder.Create(skinName, this);
    if (content == nullptr) {
        Trace("panel: " + builder.ErrorString().toStdString());
        return;
    }
    layout->addWidget(content);
}

void CDevicePanelUI::Setup(CTalvorenUSBDevice& model, IPanelHost& host) {
    model_ = &model;
    host_ = &host;
    OnSetup();
}

void CDevicePanelUI::Unbind() {
    if (model_ == nullptr) return;
    OnUnbind();
    model_ = nullptr;
    host_ = nullptr;
}

void CDevicePanelUI::ShowModel() {
    if (model_ != nullptr) OnShowModel();
}

void CDevicePanelUI::ShowFunctionType(int functionType) {
    if (model_ != nullptr) OnFunctionType(functionType);
}

CDevicePageUI* CDevicePanelUI::Page() const {
    for (QWidget* widget = parentWidget(); widget != nullptr; widget = widget->parentWidget()) {
        if (auto* page = qobject_cast<CDevicePageUI*>(widget)) return page;
    }
    return nullptr;
}

}  // namespace morvek::app
