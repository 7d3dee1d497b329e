#include "app/WindowBackground.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace morvek::app {

// The root paints every pixel of itself here, so the window under it is never painted first: a
// repaint of a small area (a device picture's lights, 20 times a second) fills it once.
CWindowBackground::CWindowBackground(QWidget* root) : QObject(root), root_(root) {
    root->setAttribute(Qt::WA_OpaquePaintEvent);
    root->installEventFilter(this);
}

void CWindowBackground::SetImage(const QString& path) {
    image_ = SkinImage(path);
    colour_ = QColor();
    root_->update();
}

void CWindowBackground::SetColour(const QColor& colour) {
    image_ = SkinImage();
    colour_ = colour;
    root_->update();
}

bool CWindowBackground::eventFilter(QObject* watched, QEvent* event) {
    if (watched == root_ && event->type() == QEvent::Paint) {
        QPainter painter(root_);
        painter.setClipRegion(static_cast<QPaintEvent*>(event)->region());
        const bool covered = colour_.isValid() ? colour_.alpha() == 255 : image_.CoversTarget();
        if (!covered) {
            // Where the picture lets it through: the root's background from the style sheet, over
            // black, since nothing is painted under the root.
            QStyleOption option;
            option.initFrom(root_);
            painter.fillRect(root_->rect(), Qt::black);
            root_->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, root_);
        }
        if (colour_.isValid()) painter.fillRect(root_->rect(), colour_);
        else image_.Paint(painter, root_->rect());
    }
    return false;
}

}  // namespace morvek::app
