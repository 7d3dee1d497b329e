#include "app/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <iostream>

#include "app/DeviceOptionUI.h"
#include "app/MainWnd.h"
#include "app/panels/SetWnd.h"
#include "devicelink/DeviceTables.h"
#include "devicelink/TalvorenUSBDevice.h"

namespace morvek::app {

namespace {

// The monitor's first pass, the configuration reads (500 ms) and a few frames.
constexpr int kSettleMs = 1500;
// Frames of the newly selected page.
constexpr int kPageSettleMs = 300;

// The file of a page: its kind name; the receiver's mouse page apart from the wired mouse's.
QString FileStem(uint16_t kind) {
    if (kind == kKindWirelessMouse) return "wireless-mouse";
    const char* name = KindName(kind);
    return name ? name : "device";
}

// The check's time-out: the service is local or absent.
constexpr int kCheckTimeoutMs = 20000;
constexpr int kCheckPollMs = 100;

void Save(QWidget& widget, const QString& folder, const QString& stem) {
    const QString file = QDir(folder).filePath(stem + ".png");
    if (!widget.grab().save(file)) std::cerr << "morvek: cannot write " << file.toStdString() << "\n";
}

void SaveSettingsWindow(CMainWnd* window, QString folder, int waitedMs) {
    CSetWnd* settings = window->SettingsWindow();
    if (settings == nullptr) {
        QApplication::quit();
        return;
    }
    if (settings->Session().Model().Status() == update::UpdateStatus::kChecking && waitedMs < kCheckTimeoutMs) {
        QTimer::singleShot(kCheckPollMs, window,
                           [window, folder, waitedMs] { SaveSettingsWindow(window, folder, waitedMs + kCheckPollMs); });
        return;
    }
    Save(*settings, folder, "settings");
    auto* update = settings->findChild<QAbstractButton*>("update_fw_and_ap");
    if (update != nullptr && update->isVisible() && update->isEnabled()) {
        update->click();
        Save(*settings, folder, "settings-confirm");
    }
    QApplication::quit();
}

void SaveEntry(CMainWnd* window, QString folder, int index) {
    CDeviceList& list = window->DeviceList();
    while (index < list.Count() && !list.IsEntryVisible(index)) ++index;
    if (index >= list.Count()) {
        window->OpenSettingsWindow(false);
        SaveSettingsWindow(window, folder, 0);
        return;
    }
    list.ShowDeviceEntry(index, true, true);
    QTimer::singleShot(kPageSettleMs, window, [window, folder, index] {
        Save(*window, folder, FileStem(window->DeviceList().Entry(index)->Model()->Kind()));
        SaveEntry(window, folder, index + 1);
    });
}

}  // namespace

void SaveScreenshotsWhenReady(CMainWnd& window, const QString& folder) {
    QDir().mkpath(folder);
    QTimer::singleShot(kSettleMs, &window, [&window, folder] {
        if (window.DeviceList().VisibleCount() == 0) {
            if (!window.grab().save(QDir(folder).filePath("no-device.png")))
                std::cerr << "morvek: cannot write to " << folder.toStdString() << "\n";
            QApplication::quit();
            return;
        }
        SaveEntry(&window, folder, 0);
    });
}

}  // namespace morvek::app
