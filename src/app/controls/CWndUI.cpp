#include "app/controls/CWndUI.h"

#include <QEvent>

namespace morvek::app {

CWndUI::CWndUI(QWidget* parent) : QWidget(parent) {}

void CWndUI::Attach(QWidget* window) {
    hosted_ = window;
    // A window owned by another widget stays a window; anything else becomes this control's child.
    if (hosted_ && !(hosted_->isWindow() && hosted_->parentWidget())) hosted_->setParent(this);
    FollowControl();
}

// The control's own moves and resizes, and those of the window it sits in, move the host.
bool CWndUI::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ParentChange:
            FollowControl();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

bool CWndUI::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) FollowControl();
    return QWidget::eventFilter(watched, event);
}

void CWndUI::FollowControl() {
    if (watchedWindow_ != window()) {
        if (watchedWindow_) watchedWindow_->removeEventFilter(this);
        watchedWindow_ = window();
        if (watchedWindow_ != this) watchedWindow_->installEventFilter(this);
    }
    if (!hosted_) return;
    if (hosted_->isWindow()) hosted_->setGeometry(QRect(mapToGlobal(QPoint(0, 0)), size()));
    else hosted_->setGeometry(rect());
    hosted_->setVisible(isVisible());
}

}  // namespace morvek::app
