#include "app/StartUp.h"

#include <QApplication>

#include <memory>

#include "app/ControlFactory.h"
#include "app/DialogBuilder.h"
#include "app/ResourceManager.h"
#include "platform/Paths.h"

namespace morvek::app {

int RunApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.SetResourcePath(QString::fromStdString(ProgramDataFolder("skin").string()));
    resources.LoadResource();
    RegisterCustomControls(CControlFactory::GetInstance());
    CDialogBuilder builder(resources);
    std::unique_ptr<QWidget> window(builder.Create("XML_MAIN"));
    if (!window) return 0;
    window->setWindowTitle("Morvek gaming keyboard");
    window->resize(800, 572);
    window->show();
    const int code = application.exec();
    window.reset();
    resources.Release();
    return code;
}

}  // namespace morvek::app
