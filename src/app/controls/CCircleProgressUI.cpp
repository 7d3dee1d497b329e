#include "app/controls/CCircleProgressUI.h"

#include <QPainter>
#include <algorithm>

namespace morvek::app {

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent) { setTextVisible(false); }

void CCircleProgressUI::SetBackgroundColour(const QColor& colour) {
    background_ = colour;
    update();
}

void CCircleProgressUI::SetForegroundColour(const QColor& colour) {
    foreground_ = colour;
    update();
}

// Counted from the minimum, so a range that does not start at 0 still ends in a full ring.
double CCircleProgressUI::SweepDegrees() const {
    const double range = static_cast<double>(maximum()) - minimum();
    if (range <= 0) return 0;
    return std::clamp((value() - minimum()) / range, 0.0, 1.0) * 360.0;
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF area = rect();
    painter.setBrush(background_);
    painter.drawEllipse(area);
    // Qt counts angles counter-clockwise from 3 o'clock in 1/16 degrees: start at 6 o'clock
    // and sweep clockwise.
    painter.setBrush(foreground_);
    const double sweep = SweepDegrees();
    if (sweep >= 360.0) painter.drawEllipse(area);
    else if (sweep > 0) painter.drawPie(area, -90 * 16, -static_cast<int>(sweep * 16));
    painter.setBrush(Qt::white);
    painter.drawEllipse(area.adjusted(kRingInset, kRingInset, -kRingInset, -kRingInset));
}

}  // namespace morvek::app
