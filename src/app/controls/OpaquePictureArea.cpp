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
    picture_->PaintPicture(painter, event->rect().translated(pos()));
}

}  // namespace morvek::app
