#include "app/controls/CHandImgSelectButtonUI.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <utility>

namespace morvek::app {
namespace {

constexpr std::array<std::pair<const char*, Qt::CursorShape>, 14> kCursors = {{
    {"arrow", Qt::ArrowCursor},
    {"ibeam", Qt::IBeamCursor},
    {"wait", Qt::WaitCursor},
    {"cross", Qt::CrossCursor},
    {"uparrow", Qt::UpArrowCursor},
    {"size", Qt::SizeAllCursor},
    {"icon", Qt::ArrowCursor},
    {"sizenwse", Qt::SizeFDiagCursor},
    {"sizenesw", Qt::SizeBDiagCursor},
    {"sizewe", Qt::SizeHorCursor},
    {"sizens", Qt::SizeVerCursor},
    {"sizeall", Qt::SizeAllCursor},
    {"no", Qt::ForbiddenCursor},
    {"hand", Qt::PointingHandCursor},
}};

}  // namespace

CHandImgSelectButtonUI::CHandImgSelectButtonUI(QWidget* parent) : QPushButton(parent) {}

void CHandImgSelectButtonUI::SetHandImage(const QString& attribute) {
    handImage_ = SkinImage(attribute);
    imageSize_ = handImage_.NaturalSize();
    source_ = QRect();
    FitSource();
    update();
}

void CHandImgSelectButtonUI::SetCursorName(const QString& name) {
    for (const auto& [cursorName, shape] : kCursors) {
        if (name.compare(QLatin1String(cursorName), Qt::CaseInsensitive) == 0) {
            cursorName_ = name;
            setCursor(shape);
            return;
        }
    }
}

bool CHandImgSelectButtonUI::IsPannable() const {
    return imageSize_.width() > width() || imageSize_.height() > height();
}

// A pannable picture shows a button-sized part, kept where it was as far as the picture allows.
void CHandImgSelectButtonUI::FitSource() {
    const QPoint at = source_.isValid() ? source_.topLeft() : QPoint(0, 0);
    source_ = QRect(IsPannable() ? at : QPoint(0, 0), IsPannable() ? size().boundedTo(imageSize_) : imageSize_);
    MoveSource({0, 0});
}

void CHandImgSelectButtonUI::MoveSource(QPoint by) {
    const int left = std::clamp(source_.left() + by.x(), 0, imageSize_.width() - source_.width());
    const int top = std::clamp(source_.top() + by.y(), 0, imageSize_.height() - source_.height());
    source_.moveTo(left, top);
    update();
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (IsPannable()) handImage_.PaintPart(painter, QRect(QPoint(0, 0), source_.size()), source_);
    else handImage_.Paint(painter, rect());
}

void CHandImgSelectButtonUI::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    FitSource();
}

void CHandImgSelectButtonUI::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    emit notify(QStringLiteral("msenter"));
}

void CHandImgSelectButtonUI::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    emit notify(QStringLiteral("msleave"));
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    lastPointer_ = event->position().toPoint();
}

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    if (!dragging_ || !IsPannable()) return;
    const QPoint pointer = event->position().toPoint();
    MoveSource(pointer - lastPointer_);
    lastPointer_ = pointer;
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QPushButton::mouseReleaseEvent(event);
}

}  // namespace morvek::app
