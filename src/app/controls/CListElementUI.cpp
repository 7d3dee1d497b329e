#include "app/controls/CListElementUI.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace morvek::app {

CListElementUI::CListElementUI(QWidget* parent) : QFrame(parent) {}

void CListElementUI::SetNormalImage(const QString& attribute) {
    normal_ = SkinImage(attribute);
    update();
}

void CListElementUI::SetHotImage(const QString& attribute) {
    hot_ = SkinImage(attribute);
    update();
}

void CListElementUI::SetSelectedImage(const QString& attribute) {
    selected_ = SkinImage(attribute);
    update();
}

void CListElementUI::Select(bool selected) {
    if (selected == isSelected_) return;
    isSelected_ = selected;
    if (selected && parentWidget()) {
        for (CListElementUI* row : parentWidget()->findChildren<CListElementUI*>(Qt::FindDirectChildrenOnly)) {
            if (row != this) row->Select(false);
        }
    }
    // The style sheet draws the selected row through the "itemSelected" property.
    style()->unpolish(this);
    style()->polish(this);
    update();
    emit notify(QStringLiteral("selectchanged"));
}

void CListElementUI::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    normal_.Paint(painter, rect());
    if (isSelected_) selected_.Paint(painter, rect());
    else if (hovered_) hot_.Paint(painter, rect());
}

void CListElementUI::enterEvent(QEnterEvent* event) {
    QFrame::enterEvent(event);
    hovered_ = true;
    update();
}

void CListElementUI::leaveEvent(QEvent* event) {
    QFrame::leaveEvent(event);
    hovered_ = false;
    update();
}

void CListElementUI::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled() || !rect().contains(event->position().toPoint())) return;
    Select(true);
    emit notify(QStringLiteral("itemclick"));
}

void CListElementUI::mouseDoubleClickEvent(QMouseEvent* event) {
    QFrame::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled()) emit notify(QStringLiteral("itemactivate"));
}

}  // namespace morvek::app
