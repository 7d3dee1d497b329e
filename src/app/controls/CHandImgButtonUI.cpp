#include "app/controls/CHandImgButtonUI.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace morvek::app {

CHandImgButtonUI::CHandImgButtonUI(QWidget* parent) : QPushButton(parent) { setMouseTracking(true); }

void CHandImgButtonUI::SetHandImage(const QString& attribute) {
    handImage_ = SkinImage(attribute);
    update();
}

void CHandImgButtonUI::SetDeleteNormalImage(const QString& attribute) {
    deleteNormal_ = SkinImage(attribute);
    update();
}

void CHandImgButtonUI::SetDeleteHotImage(const QString& attribute) {
    deleteHot_ = SkinImage(attribute);
    update();
}

void CHandImgButtonUI::SetDeleteAreaHidden(bool hidden) {
    deleteAreaHidden_ = hidden;
    update();
}

QRect CHandImgButtonUI::DeleteArea() const { return QRect(width() - 30, height() - 29, 20, 20); }

void CHandImgButtonUI::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    handImage_.Paint(painter, rect());
    if (IsDeleteAreaShown()) (pointerInDeleteArea_ ? deleteHot_ : deleteNormal_).Paint(painter, DeleteArea());
}

void CHandImgButtonUI::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    hovered_ = true;
    pointerInDeleteArea_ = DeleteArea().contains(event->position().toPoint());
    update();
    emit notify(QStringLiteral("msenter"));
}

void CHandImgButtonUI::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    hovered_ = false;
    pointerInDeleteArea_ = false;
    update();
    emit notify(QStringLiteral("msleave"));
}

void CHandImgButtonUI::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    const bool inside = DeleteArea().contains(event->position().toPoint());
    if (inside != pointerInDeleteArea_) {
        pointerInDeleteArea_ = inside;
        update();
    }
}

void CHandImgButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isDown() && IsDeleteAreaShown() &&
        DeleteArea().contains(event->position().toPoint())) {
        setDown(false);
        emit notify(QStringLiteral("click_handdelete"));
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

}  // namespace morvek::app
