#include "app/controls/CChartViewUI.h"

#include <QPainter>
#include <algorithm>

namespace morvek::app {
namespace {

constexpr int kTextHeight = 18;

// Item colours of the pie: hues spread evenly.
QColor SliceColour(int index, int count) { return QColor::fromHsv(360 * index / std::max(count, 1), 170, 220); }

}  // namespace

CChartViewUI::CChartViewUI(QWidget* parent) : QWidget(parent) {}

void CChartViewUI::SetView(const QString& view) {
    pie_ = view.compare(QLatin1String("pie"), Qt::CaseInsensitive) == 0;
    update();
}

void CChartViewUI::SetShadowImage(const QString& attribute) {
    shadow_ = SkinImage(attribute);
    update();
}

void CChartViewUI::SetPillarImage(const QString& attribute) {
    pillar_ = SkinImage(attribute);
    update();
}

void CChartViewUI::AddItem(const QString& name, double value) {
    items_.append({name, std::max(value, 0.0)});
    update();
}

void CChartViewUI::RemoveAll() {
    items_.clear();
    update();
}

void CChartViewUI::paintEvent(QPaintEvent*) {
    if (items_.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    double total = 0;
    double largest = 0;
    for (const Item& item : items_) {
        total += item.value;
        largest = std::max(largest, item.value);
    }
    if (pie_) PaintPie(painter, total);
    else PaintBars(painter, largest);
}

void CChartViewUI::PaintPie(QPainter& painter, double total) const {
    if (total <= 0) return;
    const int side = std::min(width(), height() - (showText_ ? kTextHeight : 0));
    const QRectF disc((width() - side) / 2.0, 0, side, side);
    painter.setPen(Qt::NoPen);
    double start = 90.0;
    for (int i = 0; i < items_.size(); ++i) {
        const double sweep = items_[i].value / total * 360.0;
        painter.setBrush(SliceColour(i, static_cast<int>(items_.size())));
        painter.drawPie(disc, static_cast<int>(start * 16), -static_cast<int>(sweep * 16));
        start -= sweep;
    }
    if (!showText_) return;
    QStringList legend;
    for (const Item& item : items_) legend.append(QStringLiteral("%1 %2").arg(item.name).arg(item.value));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, height() - kTextHeight, width(), kTextHeight), Qt::AlignCenter, legend.join(QStringLiteral("  ")));
}

void CChartViewUI::PaintBars(QPainter& painter, double largest) const {
    const int textHeight = showText_ ? kTextHeight : 0;
    const int foot = height() - textHeight - shadowHeight_;
    const double slot = static_cast<double>(width()) / items_.size();
    for (int i = 0; i < items_.size(); ++i) {
        const int barWidth = std::min(pillarWidth_, static_cast<int>(slot));
        const double left = slot * i + (slot - barWidth) / 2;
        const double barHeight = largest > 0 ? items_[i].value / largest * (foot - textHeight) : 0;
        const QRectF bar(left, foot - barHeight, barWidth, barHeight);
        if (pillar_.IsEmpty()) painter.fillRect(bar, palette().color(QPalette::Highlight));
        else pillar_.Paint(painter, bar);
        if (shadowHeight_ > 0) shadow_.Paint(painter, QRectF(left, foot, barWidth, shadowHeight_));
        if (!showText_) continue;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(slot * i, bar.top() - textHeight, slot, textHeight), Qt::AlignCenter,
                         QString::number(items_[i].value));
        painter.drawText(QRectF(slot * i, height() - textHeight, slot, textHeight), Qt::AlignCenter, items_[i].name);
    }
}

}  // namespace morvek::app
