#include "app/Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <iostream>

#include "app/DeviceOptionUI.h"
#include "app/MainWnd.h"
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

void SaveEntry(CMainWnd* window, QString folder, int index) {
    CDeviceList& list = window->DeviceList();
    while (index < list.Count() && !list.IsEntryVisible(index)) ++index;
    if (index >= list.Count()) {
        QApplication::quit();
        return;
    }
    list.ShowDeviceEntry(index, true, true);
    QTimer::singleShot(kPageSettleMs, window, [window, folder, index] {
        const QString stem = FileStem(window->DeviceList().Entry(index)->Model()->Kind());
        const QString file = QDir(folder).filePath(stem + ".png");
        if (!window->grab().save(file)) std::cerr << "morvek: cannot write " << file.toStdString() << "\n";
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
