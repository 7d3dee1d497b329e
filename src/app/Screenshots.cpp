#include "app/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <iostream>
#include <iterator>

#include "app/DeviceOptionUI.h"
#include "app/DevicePageUI.h"
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

// Tabs saved besides their kind's page, as "<kind name>-<suffix>.png".
struct TabShot {
    uint16_t kind;
    const char* tab;
    const char* suffix;
};
constexpr TabShot kTabShots[] = {
    {kKindHeadset, "6533_voice_Op_tab", "sound"},
    {kKindHeadset, "magic_Op_tab", "voice-changer"},
    {kKindHeadset, "Virtual7.1_Op_tab", "surround"},
};
constexpr const char* kFirstTab = "deng_Op_tab";

void SaveEntry(CMainWnd* window, QString folder, int index);

// Saves the tabs of the shown page's kind from kTabShots[shot] on, then the next entry.
void SaveTabs(CMainWnd* window, QString folder, int index, size_t shot) {
    CTalvorenUSBDevice* model = window->DeviceList().Entry(index)->Model();
    QWidget* page = window->PageOf(model);
    while (shot < std::size(kTabShots) && kTabShots[shot].kind != model->Kind()) ++shot;
    auto* tab = page && shot < std::size(kTabShots) ? page->findChild<QAbstractButton*>(kTabShots[shot].tab) : nullptr;
    if (tab == nullptr) {
        if (auto* first = page ? page->findChild<QAbstractButton*>(kFirstTab) : nullptr) first->click();
        SaveEntry(window, folder, index + 1);
        return;
    }
    tab->click();
    QTimer::singleShot(kPageSettleMs, window, [window, folder, index, shot, model] {
        Save(*window, folder, FileStem(model->Kind()) + "-" + kTabShots[shot].suffix);
        SaveTabs(window, folder, index, shot + 1);
    });
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
        SaveTabs(window, folder, index, 0);
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
