#include "app/controls/CSelectPanelUI.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>

#include "app/controls/CDeviceKeyButtonUI.h"

namespace morvek::app {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QWidget(parent) {}

// The key buttons outlive this part of the picture (QWidget deletes them later): they must not
// repaint through it while it goes.
CSelectPanelUI::~CSelectPanelUI() {
    for (CDeviceKeyButtonUI* button : KeyButtons()) button->LeavePicture();
}

void CSelectPanelUI::SetBackgroundImage(const QString& attribute) {
    background_ = SkinImage(attribute);
    update();
}

QList<CDeviceKeyButtonUI*> CSelectPanelUI::KeyButtons() const { return findChildren<CDeviceKeyButtonUI*>(); }

QList<CDeviceKeyButtonUI*> CSelectPanelUI::SelectedKeyButtons() const {
    QList<CDeviceKeyButtonUI*> selected;
    for (CDeviceKeyButtonUI* button : KeyButtons()) {
        if (button->IsSelected()) selected.append(button);
    }
    return selected;
}

void CSelectPanelUI::RepaintArea(const QRect& area) {
    if (area.isEmpty()) return;
    pending_ = pending_.united(area);
    // Growing one rectangle keeps the window's dirty region simple; many small rectangles
    // would make every layer below paint through a clip of many pieces.
    update(pending_);
}

bool CSelectPanelUI::event(QEvent* event) {
    if (event->type() == QEvent::ChildRemoved) drawnValid_ = false;
    // A button whose text changed asks its parent for a new layout; it repaints nothing itself.
    if (event->type() == QEvent::LayoutRequest) {
        for (QObject* child : children()) {
            if (auto* button = qobject_cast<CDeviceKeyButtonUI*>(child)) button->RepaintIfChanged();
        }
    }
    return QWidget::event(event);
}

void CSelectPanelUI::paintEvent(QPaintEvent* event) {
    pending_ = QRect();
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    painter.setRenderHint(QPainter::Antialiasing);
    background_.Paint(painter, rect());
    if (!drawnValid_) {
        drawn_.clear();
        for (QObject* child : children()) {
            auto* button = qobject_cast<CDeviceKeyButtonUI*>(child);
            if (button != nullptr && button->Picture() == this) drawn_.push_back(button);
        }
        drawnValid_ = true;
    }
    const QRect area = event->rect();
    for (CDeviceKeyButtonUI* button : drawn_) {
        if (button->isHidden() || !button->geometry().intersects(area)) continue;
        painter.translate(button->pos());
        button->PaintContent(painter);
        painter.translate(-button->pos());
    }
    if (dragging_) {
        const QColor accent = palette().color(QPalette::Highlight);
        QColor fill = accent;
        fill.setAlpha(60);
        painter.setPen(QPen(accent, 1, Qt::DashLine));
        painter.setBrush(fill);
        painter.drawRect(QRectF(selection_).adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    pressed_ = true;
    dragging_ = false;
    start_ = event->position().toPoint();
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) return QWidget::mouseMoveEvent(event);
    const QPoint current = event->position().toPoint();
    if (!dragging_ && current == start_) return;
    dragging_ = true;
    // Both corners belong to the band: the pixel under the pointer is covered.
    selection_ = QRect(QPoint(std::min(start_.x(), current.x()), std::min(start_.y(), current.y())),
                       QPoint(std::max(start_.x(), current.x()), std::max(start_.y(), current.y())));
    update();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    if (!dragging_) return;
    SelectTouchedButtons();
    dragging_ = false;
    update();
    emit notify(QStringLiteral("click_select_end"));
}

// Hidden buttons stand for keys the picture does not show; they are never selected.
void CSelectPanelUI::SelectTouchedButtons() {
    for (CDeviceKeyButtonUI* button : KeyButtons()) {
        const QRect area(button->mapTo(this, QPoint(0, 0)), button->size());
        button->SetSelected(button->isVisibleTo(this) && selection_.intersects(area));
    }
}

}  // namespace morvek::app
