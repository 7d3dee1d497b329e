#include "app/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <iostream>

#include "app/DeviceOptionUI.h"
#include "app/DevicePageUI.h"
#include "app/MainWnd.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/panels/SetWnd.h"
#include "devicelink/DeviceKinds.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "profiles/ProfileTabs.h"

namespace morvek::app {

namespace {

// The monitor's first pass, the configuration reads (500 ms) and a few frames.
constexpr int kSettleMs = 1500;
// Frames of the newly selected page.
constexpr int kPageSettleMs = 300;
// The update check's time-out: the service is local or absent.
constexpr int kCheckTimeoutMs = 20000;
constexpr int kCheckPollMs = 100;

// The file of a page: its kind name; the receiver's mouse page apart from the wired mouse's.
QString FileStem(uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    if (row == nullptr) return "device";
    return row->wireless ? "wireless-mouse" : row->dataFolder;
}

// The file name part of function tab n (2-8) of a kind's page; the first tab is the page's own
// picture. A mouse's tab 7 is its shooting tab.
const char* TabStem(uint16_t kind, int tab) {
    static const char* const kStems[] = {"lighting", "keys", "macros", "system", "dpi", "sound", "voice-changer",
                                         "surround"};
    if (tab == 7 && ListKindOf(kind) == kKindMouse) return "shooting";
    return tab >= 1 && tab <= kProfileTabCount ? kStems[tab - 1] : "tab";
}

void SaveEntry(CMainWnd* window, QString folder, int index);

void Save(CMainWnd* window, const QString& file) {
    if (!window->grab().save(file)) std::cerr << "morvek: cannot write " << file.toStdString() << "\n";
}

// Tab `tab` of the entry's page, if shown; then the next tab, then the next entry.
void SaveTab(CMainWnd* window, QString folder, int index, int tab) {
    CTalvorenUSBDevice* model = window->DeviceList().Entry(index)->Model();
    CDevicePageUI* page = window->PageOf(model);
    if (tab > kProfileTabCount || page == nullptr) {
        if (auto* first = page ? page->findChild<QAbstractButton*>(ProfileTabName(1)) : nullptr) first->click();
        SaveEntry(window, folder, index + 1);
        return;
    }
    auto* button = page->findChild<QAbstractButton*>(ProfileTabName(tab));
    if (button == nullptr || button->isHidden()) {
        SaveTab(window, folder, index, tab + 1);
        return;
    }
    button->click();
    QTimer::singleShot(kPageSettleMs, window, [window, folder, index, tab, page] {
        // The key tab shows its panel for the first key of the picture.
        if (std::string(ProfileTabName(tab)) == "key_Op_tab") {
            for (int key = 0; key < page->Model()->KeyCount(); ++key) {
                CDeviceKeyButtonUI* keyButton = page->KeyButton(key);
                if (keyButton != nullptr && keyButton->isVisible() && keyButton->isEnabled()) {
                    keyButton->click();
                    break;
                }
            }
        }
        QTimer::singleShot(kPageSettleMs, window, [window, folder, index, tab] {
            const uint16_t kind = window->DeviceList().Entry(index)->Model()->Kind();
            Save(window, QDir(folder).filePath(FileStem(kind) + "-" + TabStem(kind, tab) + ".png"));
            SaveTab(window, folder, index, tab + 1);
        });
    });
}

// The first shown page once more, with its profile menu folded out.
// The settings window once its update check is over, and its confirmation page when it offers
// updates; then the program quits.
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
    const auto save = [&](const char* stem) {
        const QString file = QDir(folder).filePath(QString(stem) + ".png");
        if (!settings->grab().save(file)) std::cerr << "morvek: cannot write " << file.toStdString() << "\n";
    };
    save("settings");
    auto* update = settings->findChild<QAbstractButton*>("update_fw_and_ap");
    if (update != nullptr && update->isVisible() && update->isEnabled()) {
        update->click();
        save("settings-confirm");
    }
    QApplication::quit();
}

void OpenAndSaveSettingsWindow(CMainWnd* window, QString folder) {
    window->OpenSettingsWindow(false);
    SaveSettingsWindow(window, folder, 0);
}

void SaveProfileMenu(CMainWnd* window, QString folder) {
    CDeviceList& list = window->DeviceList();
    int index = 0;
    while (index < list.Count() && !list.IsEntryVisible(index)) ++index;
    CDevicePageUI* page = index < list.Count() ? window->PageOf(list.Entry(index)->Model()) : nullptr;
    auto* menu = page ? page->findChild<QAbstractButton*>("profile_fun_spread_btn") : nullptr;
    if (menu == nullptr) {
        OpenAndSaveSettingsWindow(window, folder);
        return;
    }
    list.ShowDeviceEntry(index, true, true);
    menu->click();
    QTimer::singleShot(kPageSettleMs, window, [window, folder, index, menu] {
        const QString stem = FileStem(window->DeviceList().Entry(index)->Model()->Kind());
        Save(window, QDir(folder).filePath(stem + "-profile-menu.png"));
        menu->click();
        OpenAndSaveSettingsWindow(window, folder);
    });
}

void SaveEntry(CMainWnd* window, QString folder, int index) {
    CDeviceList& list = window->DeviceList();
    while (index < list.Count() && !list.IsEntryVisible(index)) ++index;
    if (index >= list.Count()) {
        SaveProfileMenu(window, folder);
        return;
    }
    list.ShowDeviceEntry(index, true, true);
    QTimer::singleShot(kPageSettleMs, window, [window, folder, index] {
        const QString stem = FileStem(window->DeviceList().Entry(index)->Model()->Kind());
        Save(window, QDir(folder).filePath(stem + ".png"));
        SaveTab(window, folder, index, 2);
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
