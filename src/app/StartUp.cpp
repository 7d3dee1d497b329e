#include "app/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTimer>

#include <iostream>
#include <memory>

#include "app/CommandLine.h"
#include "app/CompanionBus.h"
#include "app/ControlFactory.h"
#include "app/ForwardedCommands.h"
#include "app/DeviceModels.h"
#include "app/MainWnd.h"
#include "app/PrivateFonts.h"
#include "app/ResourceManager.h"
#include "app/Screenshots.h"
#include "app/SingleInstance.h"
#include "emulator/EmulatorBackend.h"
#include "platform/Autostart.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "platform/hid/HidapiBackend.h"
#include "profiles/ProfileFiles.h"

namespace morvek::app {

namespace {

std::unique_ptr<hid::IHidBackend> MakeBackend(const CommandLine& line) {
    if (line.demo.empty()) return std::make_unique<hid::HidapiBackend>();
    auto emulator = std::make_unique<emulator::EmulatorBackend>();
    for (emulator::EmulatedKind kind : line.demo) {
        emulator::EmulatedDevice& device = emulator->Attach(kind);
        emulator::FaultPlan faults = device.Faults();
        std::string error;
        for (const std::string& fault : line.faults) emulator::AddFaultWord(fault, faults, error);
        device.SetFaults(faults);
    }
    return emulator;
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

}  // namespace

int RunApplication(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedCommandLine parsed = ParseCommandLine(arguments, std::getenv("MORVEK_EMULATE"));
    if (!parsed.line) {
        std::cerr << "morvek: " << parsed.error << "\n";
        return 2;
    }
    const CommandLine& line = *parsed.line;
    if (line.help) {
        std::cout << UsageText();
        return 0;
    }
    if (line.version) {
        std::cout << "morvek " << MORVEK_VERSION << "\n";
        return 0;
    }

    if (line.autostart) {
        std::string error;
        if (!SetAutostart(*line.autostart, RunningExecutable(), error)) {
            std::cerr << "morvek: " << error << "\n";
            return 1;
        }
        std::cout << (*line.autostart ? "morvek starts hidden in the tray with the desktop session: "
                                      : "morvek no longer starts with the desktop session: ")
                  << AutostartEntryPath().string() << "\n";
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(SingleInstance::kProductTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    // The installed desktop entry's name, so that the desktop matches windows to its entry and icon.
    QGuiApplication::setDesktopFileName("org.morvek.Morvek");

    // 1. The program's own fonts.
    PrivateFonts fonts;
    fonts.Load(QString::fromStdString(ProgramDataFolder("Font").string()));

    // 2. One instance: a later start raises the running window and ends here.
    SingleInstance instance;
    if (!instance.Acquire()) return 0;
    // What writes of an earlier run left when it was killed.
    for (const auto& path : CleanUpInterruptedWrites(UserDataFolder())) Trace("removed " + path.string());

    // 3. Skin, style and the custom controls.
    CResourceManager& resources = CResourceManager::GetInstance();
    resources.SetResourcePath(QString::fromStdString(ProgramDataFolder("skin").string()));
    if (!resources.LoadResource()) Trace("skin: no resource index in " + resources.ResourcePath().toStdString());
    QFile style(resources.FilePath("style.qss"));
    if (style.open(QIODevice::ReadOnly)) application.setStyleSheet(QString::fromUtf8(style.readAll()));
    RegisterCustomControls(CControlFactory::GetInstance());

    // 4. The main window, centred; its initialisation starts the device monitor.
    const std::unique_ptr<hid::IHidBackend> backend = MakeBackend(line);
    int code = 0;
    {
        CMainWnd window(*backend, DeviceModels(*backend));
        if (!window.IsBuilt()) {
            std::cerr << "morvek: cannot build the main window: " << window.BuildError().toStdString() << "\n";
            return 1;
        }
        QObject::connect(&instance, &SingleInstance::RaiseRequested, &window, &CMainWnd::RestoreAndRaise);
        // Companion programs reach the window on the session bus.
        CompanionBus companion(window);
        companion.Register();
        // morvekctl's device commands are carried out here while the window owns the devices.
        ForwardedCommands forwarded(window, *backend);
        instance.SetCommandHandler([&forwarded](const QByteArray& request, SingleInstance::Reply reply) {
            forwarded.Run(request, std::move(reply));
        });
        CentreOnScreen(window);
        if (line.minimized) window.StartInTray();
        else window.show();
        if (!line.screenshotFolder.empty()) SaveScreenshotsWhenReady(window, QString::fromStdString(line.screenshotFolder));
        code = application.exec();
        instance.SetCommandHandler({});
    }

    // 5. Shut-down: the window (workers stopped) is gone; then resources, instance and fonts.
    resources.Release();
    fonts.Remove();
    return code;
}

}  // namespace morvek::app
