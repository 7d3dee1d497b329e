#include "app/MsgWnd.h"

#include <QLabel>

#include "app/SkinContent.h"
#include "app/ResourceManager.h"

namespace morvek::app {

CMsgWnd::CMsgWnd(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), pump_([this](const TNotifyUI& msg) { Notify(msg); }) {
    setObjectName("MsgWnd");
    setWindowTitle("msgwnd");
    setModal(true);
    content_ = LoadSkinContent(*this, kSkinName, pump_);
}

void CMsgWnd::SetTitle(const QString& title) {
    if (title.isEmpty()) return;
    if (auto* label = findChild<QLabel*>("MessageTitle")) label->setText(title);
}

void CMsgWnd::SetText(const QString& text, bool textIsKey) {
    auto* label = findChild<QLabel*>("MessageText");
    if (label == nullptr) return;
    if (textIsKey) {
        CResourceManager::GetInstance().SetResourceText(label, text);
    } else {
        label->setProperty(CResourceManager::kResourceTextProperty, false);
        label->setText(text);
    }
}

void CMsgWnd::SetDpi(int dpi) { dpi_.Set(dpi); }

void CMsgWnd::SetButtonMode(int mode) {
    QWidget* confirm = findChild<QWidget*>("confirm_btn");
    QWidget* cancel = findChild<QWidget*>("cancel_btn");
    if (mode != 0 && mode != 1) return;
    if (confirm) confirm->setVisible(true);
    if (cancel) cancel->setVisible(mode == 1);
}

void CMsgWnd::Notify(const TNotifyUI& msg) {
    if (msg.sType != "click") return;
    if (msg.sName.compare("closebtn", Qt::CaseInsensitive) == 0 ||
        msg.sName.compare("cancel_btn", Qt::CaseInsensitive) == 0)
        done(0);
    else if (msg.sName.compare("confirm_btn", Qt::CaseInsensitive) == 0)
        done(1);
}

int ShowMessageBox(QWidget* owner, const QString& title, const QString& text, int dpi, bool textIsKey, int buttonMode) {
    CMsgWnd window(owner);
    if (!window.IsBuilt()) return 0;
    window.SetTitle(title);
    window.SetText(text, textIsKey);
    window.SetDpi(dpi);
    window.SetButtonMode(buttonMode);
    window.adjustSize();
    return window.exec() == 1 ? 1 : 0;
}

}  // namespace morvek::app
