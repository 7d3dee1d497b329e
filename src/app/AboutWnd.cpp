#include "app/AboutWnd.h"

#include <QLabel>

#include "app/SkinContent.h"
#include "app/ResourceManager.h"
#include "devicelink/DeviceTables.h"

namespace morvek::app {

CAboutWnd::CAboutWnd(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), pump_([this](const TNotifyUI& msg) { Notify(msg); }) {
    setObjectName("AboutWnd");
    setModal(true);
    content_ = LoadSkinContent(*this, kSkinName, pump_);
}

QString CAboutWnd::ApplicationVersionText() {
    return QString::fromStdString(UpdateIdentities().back().versionText);
}

void CAboutWnd::SetVersionText(const QString& version) {
    if (auto* label = findChild<QLabel*>("software_ver_label"))
        label->setText(CResourceManager::GetInstance().Text("software_rev_text") + version);
}

void CAboutWnd::Notify(const TNotifyUI& msg) {
    if (msg.sType == "click" && msg.sName.compare("closebtn", Qt::CaseInsensitive) == 0) reject();
}

}  // namespace morvek::app
