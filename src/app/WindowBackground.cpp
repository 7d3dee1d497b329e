#include "app/WindowBackground.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace morvek::app {

CWindowBackground::CWindowBackground(QWidget* root) : QObject(root), root_(root) { root->installEventFilter(this); }

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
        if (colour_.isValid()) painter.fillRect(root_->rect(), colour_);
        else image_.Paint(painter, root_->rect());
    }
    return false;
}

}  // namespace morvek::app
