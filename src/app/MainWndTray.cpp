// CMainWnd: the tray icon, its menu and the menu results.
#include <QFile>
#include <QMenu>
#include <QPainter>

#include "app/MainWnd.h"
#include "app/MenuFile.h"
#include "platform/Trace.h"
#include "app/ResourceManager.h"
#include "platform/Autostart.h"

namespace morvek::app {

namespace {

// The skin's program icon, or a drawn one when the skin has none.
QIcon ProgramIcon() {
    for (const char* name : {"skin:common/app_icon.svg", "skin:common/app_icon.png"}) {
        if (QFile::exists(name)) return QIcon(name);
    }
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1c, 0x1f, 0x26));
    painter.setPen(QPen(QColor(0xff, 0x4d, 0x2e), 5));
    painter.drawRoundedRect(QRectF(4, 4, 56, 56), 12, 12);
    painter.setPen(QPen(QColor(0xff, 0x4d, 0x2e), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({{16, 46}, {16, 18}, {32, 36}, {48, 18}, {48, 46}}));
    return QIcon(picture);
}

}  // namespace

void CMainWnd::CreateTray() {
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);
    tray_.setIcon(icon);
    tray_.setToolTip(kTitle);
    trayMenu_ = new QMenu(this);
    connect(&tray_, &QSystemTrayIcon::activated, this, &CMainWnd::OnTrayActivated);
    if (QSystemTrayIcon::isSystemTrayAvailable()) tray_.show();
}

void CMainWnd::OnTrayActivated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Context) {
        trayMenuTimer_.start(kTrayMenuDelayMs);
        return;
    }
    if (reason != QSystemTrayIcon::Trigger) return;
    deviceList_->UpdateNoDeviceLink();
    if (isVisible() && !isMinimized()) {
        CloseDialogs();
        hide();
    } else {
        ApplyScreenDpi();
        RestoreAndRaise();
    }
}

void CMainWnd::ShowTrayMenu() {
    LoadMenuFile(CResourceManager::GetInstance().FilePath("menu.xml"), *trayMenu_,
                 [this](const QString& name) { OnMenuItem(name); });
    if (auto* autostart = trayMenu_->findChild<QAction*>("autostart_menu")) autostart->setChecked(AutostartEnabled());
    trayMenu_->popup(QCursor::pos());
}

void CMainWnd::ToggleAutostart() {
    std::string error;
    if (!SetAutostart(!AutostartEnabled(), RunningExecutable(), error)) {
        Trace("autostart: " + error);
        Ask("autostart_failed_text", true, 0);
    }
}

void CMainWnd::OnMenuItem(const QString& name) {
    TNotifyUI msg;
    msg.sType = "menu";
    msg.sName = name;
    Notify(msg);
}

}  // namespace morvek::app
