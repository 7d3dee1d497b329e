#include "app/AboutWnd.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "devicelink/DeviceTables.h"
#include "platform/Trace.h"

namespace morvek::app {

CAboutWnd::CAboutWnd(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), pump_([this](const TNotifyUI& msg) { Notify(msg); }) {
    setObjectName("AboutWnd");
    setModal(true);
    CResourceManager& resources = CResourceManager::GetInstance();
    CDialogBuilder builder(resources);
    content_ = builder.Create(kSkinName, this);
    if (content_ == nullptr) {
        Trace("about window: " + builder.ErrorString().toStdString());
        return;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content_);
    resources.ReloadText(content_);
    pump_.Attach(content_);
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
