#include "app/SkinContent.h"

#include <QVBoxLayout>

#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "platform/Trace.h"

namespace morvek::app {

QWidget* LoadSkinContent(QWidget& window, const QString& skinName, CNotifyPump& pump) {
    CResourceManager& resources = CResourceManager::GetInstance();
    CDialogBuilder builder(resources);
    QWidget* content = builder.Create(skinName, &window);
    if (content == nullptr) {
        Trace(window.objectName().toStdString() + ": " + builder.ErrorString().toStdString());
        return nullptr;
    }
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    resources.ReloadText(content);
    pump.Attach(content);
    return content;
}

}  // namespace morvek::app
