#include "app/controls/CColorPaletteUI.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace morvek::app {
namespace {

constexpr int kMaxHue = 359;

}  // namespace

CColorPaletteUI::CColorPaletteUI(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
}

QColor CColorPaletteUI::ColourAt(QPoint point) const {
    const int w = std::max(1, width() - 1);
    const int h = std::max(1, height() - 1);
    const int x = std::clamp(point.x(), 0, w);
    const int y = std::clamp(point.y(), 0, h);
    return QColor::fromHsv(x * kMaxHue / w, 255 - y * 255 / h, 255);
}

void CColorPaletteUI::SetColour(const QColor& colour) {
    colour_ = colour;
    update();
}

QPoint CColorPaletteUI::MarkPosition() const {
    const int w = std::max(1, width() - 1);
    const int h = std::max(1, height() - 1);
    const int hue = std::max(0, colour_.hsvHue());
    return {hue * w / kMaxHue, (255 - colour_.hsvSaturation()) * h / 255};
}

void CColorPaletteUI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    field_ = QImage(size(), QImage::Format_RGB32);
    for (int y = 0; y < field_.height(); ++y) {
        for (int x = 0; x < field_.width(); ++x) field_.setPixelColor(x, y, ColourAt({x, y}));
    }
}

void CColorPaletteUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, field_);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPoint mark = MarkPosition();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawEllipse(mark, 5, 5);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(mark, 5, 5);
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CColorPaletteUI::Pick(QPoint point) {
    colour_ = ColourAt(point);
    update();
    emit notify("colorchanged");
}

void CColorPaletteUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Pick(event->position().toPoint());
}

void CColorPaletteUI::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) Pick(event->position().toPoint());
}

void CColorPaletteUI::keyPressEvent(QKeyEvent* event) {
    QPoint mark = MarkPosition();
    switch (event->key()) {
        case Qt::Key_Left: mark.rx() -= 4; break;
        case Qt::Key_Right: mark.rx() += 4; break;
        case Qt::Key_Up: mark.ry() -= 4; break;
        case Qt::Key_Down: mark.ry() += 4; break;
        default: QWidget::keyPressEvent(event); return;
    }
    Pick(mark);
}

}  // namespace morvek::app
