#include "app/controls/OpaquePictureArea.h"

#include <QPaintEvent>
#include <QPainter>

#include "app/controls/CSelectPanelUI.h"

namespace morvek::app {

OpaquePictureArea::OpaquePictureArea(CSelectPanelUI* picture) : QWidget(picture), picture_(picture) {
    setObjectName(QStringLiteral("opaque_picture_area"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

bool OpaquePictureArea::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Polishing with a style sheet clears the attribute.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange) setAttribute(Qt::WA_OpaquePaintEvent);
    return handled;
}

void OpaquePictureArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The picture's coordinates, so that it draws its own part here.
    painter.translate(-pos());
    picture_->PaintOpaqueArea(painter, event->rect().translated(pos()));
}

// Later children lie over earlier ones; windows of their own (popups, tool tips) draw nothing
// into this window.
bool OpaquePictureArea::CoveredFromAbove() const {
    const QWidget* top = window();
    const QRect place(mapTo(top, QPoint(0, 0)), size());
    const QWidget* child = this;
    for (const QWidget* parent = parentWidget(); parent != nullptr && child != top; child = parent, parent = parent->parentWidget()) {
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(child)) + 1; i < siblings.size(); ++i) {
            const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
            if (sibling == nullptr || sibling->isHidden() || sibling->isWindow()) continue;
            if (QRect(sibling->mapTo(top, QPoint(0, 0)), sibling->size()).intersects(place)) return true;
        }
    }
    return false;
}

}  // namespace morvek::app
