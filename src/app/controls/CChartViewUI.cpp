#include "app/controls/CChartViewUI.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace morvek::app {
namespace {

constexpr int kTextHeight = 18;

// Item colours of the pie: hues spread evenly.
QColor SliceColour(int index, int count) { return QColor::fromHsv(360 * index / std::max(count, 1), 170, 220); }

}  // namespace

CChartViewUI::CChartViewUI(QWidget* parent) : QWidget(parent) {}

QString CChartViewUI::View() const {
    switch (kind_) {
        case ViewKind::Pie: return QStringLiteral("pie");
        case ViewKind::Path: return QStringLiteral("path");
        case ViewKind::Histogram: break;
    }
    return QStringLiteral("histogram");
}

void CChartViewUI::SetView(const QString& view) {
    if (view.compare(QLatin1String("pie"), Qt::CaseInsensitive) == 0) kind_ = ViewKind::Pie;
    else if (view.compare(QLatin1String("path"), Qt::CaseInsensitive) == 0) kind_ = ViewKind::Path;
    else kind_ = ViewKind::Histogram;
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
    items_.append({name, std::max(value, 0.0), 0.0});
    update();
}

void CChartViewUI::AddStep(const QString& name, double dx, double dy) {
    items_.append({name, dy, dx});
    update();
}

void CChartViewUI::SetHighlighted(int index) {
    if (index == highlighted_) return;
    highlighted_ = index;
    update();
}

void CChartViewUI::RemoveAll() {
    items_.clear();
    update();
}

void CChartViewUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The style sheet's background and border, then the chart.
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (items_.isEmpty()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    double total = 0;
    double largest = 0;
    for (const Item& item : items_) {
        total += std::max(item.value, 0.0);
        largest = std::max(largest, item.value);
    }
    switch (kind_) {
        case ViewKind::Pie: PaintPie(painter, total); break;
        case ViewKind::Path: PaintPath(painter); break;
        case ViewKind::Histogram: PaintBars(painter, largest); break;
    }
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

void CChartViewUI::PaintPath(QPainter& painter) const {
    constexpr double kMargin = 8.0;
    constexpr double kDot = 2.5;
    QList<QPointF> points{QPointF(0, 0)};
    for (const Item& item : items_) points.append(points.back() + QPointF(item.dx, item.value));
    double left = 0, right = 0, bottom = 0, top = 0;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    // One scale for both directions, so the path keeps its shape; the start sits at the centre
    // top when the path fits there.
    const double halfWidth = std::max({-left, right, 1.0});
    const double span = std::max(bottom - top, 1.0);
    const double scale = std::min((width() - 2 * kMargin) / (2 * halfWidth), (height() - 2 * kMargin) / span);
    const QPointF origin(width() / 2.0, kMargin - top * scale);
    QList<QPointF> shown;
    for (const QPointF& p : points) shown.append(origin + p * scale);

    const QColor line = palette().color(QPalette::Highlight);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    painter.drawLine(QPointF(origin.x(), 0), QPointF(origin.x(), height()));
    painter.setPen(QPen(line, 1.5));
    painter.drawPolyline(shown.data(), static_cast<int>(shown.size()));
    painter.setPen(Qt::NoPen);
    for (int i = 1; i < shown.size(); ++i) {
        const bool highlighted = i - 1 == highlighted_;
        painter.setBrush(highlighted ? palette().color(QPalette::BrightText) : line);
        painter.drawEllipse(shown[i], highlighted ? 2 * kDot : kDot, highlighted ? 2 * kDot : kDot);
    }
}

}  // namespace morvek::app
