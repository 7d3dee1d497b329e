#include "app/controls/CSelectPanelUI.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/OpaquePictureArea.h"

namespace morvek::app {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QWidget(parent) {}

// The key buttons outlive this part of the picture (QWidget deletes them later): they must not
// repaint through it while it goes.
CSelectPanelUI::~CSelectPanelUI() {
    for (CDeviceKeyButtonUI* button : KeyButtons()) button->LeavePicture();
}

void CSelectPanelUI::SetBackgroundImage(const QString& attribute) {
    background_ = SkinImage(attribute);
    backgroundPixels_ = QImage();
    PlaceOpaqueArea();
    Refresh(rect());
}

void CSelectPanelUI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceOpaqueArea();
}

// Buttons change in bursts (a page builds 252 of them): the area is placed once after a burst.
void CSelectPanelUI::ButtonsChanged() {
    drawnValid_ = false;
    if (placementPending_) return;
    placementPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            placementPending_ = false;
            PlaceOpaqueArea();
        },
        Qt::QueuedConnection);
}

void CSelectPanelUI::PlaceOpaqueArea() {
    QRect area = background_.OpaqueArea(rect(), devicePixelRatioF());
    for (const CDeviceKeyButtonUI* button : KeyButtons()) {
        const QRect place = button->geometry();
        if (button->parentWidget() == this && !button->isHidden() && area.intersects(place) && !area.contains(place)) {
            area = QRect();
            break;
        }
    }
    relitOnly_ = false;
    if (area.isEmpty()) {
        if (opaqueArea_ != nullptr) opaqueArea_->hide();
        return;
    }
    if (opaqueArea_ == nullptr) opaqueArea_ = new OpaquePictureArea(this);
    opaqueArea_->setGeometry(area);
    opaqueArea_->raise();
    opaqueArea_->show();
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
    Refresh(pending_);
}

void CSelectPanelUI::RepaintLight(CDeviceKeyButtonUI* button) {
    const QRect place = button->geometry();
    if (opaqueArea_ == nullptr || opaqueArea_->isHidden() || !opaqueArea_->geometry().contains(place))
        return RepaintArea(place);
    relit_.push_back(button);
    pending_ = pending_.united(place);
    Ask(pending_);
}

void CSelectPanelUI::HoldRepaints() { held_ = true; }

void CSelectPanelUI::RepaintHeld() {
    held_ = false;
    if (!heldAsked_) return;
    heldAsked_ = false;
    Ask(pending_, true);
}

void CSelectPanelUI::Refresh(const QRect& area) {
    relitOnly_ = false;
    Ask(area);
}

// Qt repaints neither an opaque child for its parent's update nor the parent where the child
// covers it: each is asked for its own part. While held, the asked areas gather in pending_.
void CSelectPanelUI::Ask(const QRect& area, bool now) {
    if (held_) {
        heldAsked_ = true;
        return;
    }
    const auto ask = [now](QWidget* widget, const QRect& part) { now ? widget->repaint(part) : widget->update(part); };
    if (opaqueArea_ == nullptr || opaqueArea_->isHidden()) return ask(this, area);
    const QRect inside = area & opaqueArea_->geometry();
    if (!inside.isEmpty()) ask(opaqueArea_, inside.translated(-opaqueArea_->pos()));
    if (inside != area) ask(this, area);
}

bool CSelectPanelUI::event(QEvent* event) {
    if (event->type() == QEvent::ChildRemoved) drawnValid_ = false;
    // The opaque area stays the topmost child: Qt looks for opaque widgets above the one it
    // repaints, so 252 buttons above it would be looked at in every frame. Mouse events pass
    // through it and the buttons never paint themselves, so its place changes nothing else.
    if (event->type() == QEvent::ChildAdded && opaqueArea_ != nullptr &&
        static_cast<QChildEvent*>(event)->child() != opaqueArea_)
        opaqueArea_->raise();
    // A button whose text changed asks its parent for a new layout; it repaints nothing itself.
    if (event->type() == QEvent::LayoutRequest) {
        for (QObject* child : children()) {
            if (auto* button = qobject_cast<CDeviceKeyButtonUI*>(child)) button->RepaintIfChanged();
        }
    }
    return QWidget::event(event);
}

void CSelectPanelUI::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    PaintPicture(painter, event->rect());
}

void CSelectPanelUI::PaintOpaqueArea(QPainter& painter, const QRect& area) {
    // A widget over the area that moved or went leaves its place to be painted again.
    const bool covered = opaqueArea_->CoveredFromAbove();
    if (covered || coveredBefore_ || !PaintRelit(painter, area)) PaintPicture(painter, area);
    coveredBefore_ = covered;
    relit_.clear();
    relitOnly_ = true;
}

// Only lights changed since the last paint, and nothing of the window lies over the area: the
// window keeps the last paint, which is right everywhere else, so only those buttons are drawn
// again. One alone on the opaque picture, touched by nothing but its keycap, is an opaque copy;
// any other one has its place painted as a whole repaint would paint it. Anything else (a whole
// repaint, a button moved or hidden, the band) paints the whole area.
bool CSelectPanelUI::PaintRelit(QPainter& painter, const QRect& area) {
    if (!relitOnly_ || dragging_ || !pending_.contains(area) || area == opaqueArea_->geometry()) return false;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (ratio != std::floor(ratio) || backgroundPixels_.size() != pixels) return false;
    if (!drawnValid_) FindDrawnButtons();
    std::sort(relit_.begin(), relit_.end());
    relit_.erase(std::unique(relit_.begin(), relit_.end()), relit_.end());
    for (CDeviceKeyButtonUI* button : relit_) {
        if (!drawnIndex_.contains(button) || button->isHidden()) return false;
    }
    pending_ = QRect();
    painter.setRenderHint(QPainter::Antialiasing);
    for (CDeviceKeyButtonUI* button : relit_) {
        const DrawnButton& drawn = drawn_[drawnIndex_.at(button)];
        CDeviceKeyButtonUI* above = drawn.above >= 0 ? drawn_[size_t(drawn.above)].button : nullptr;
        const bool copied = drawn.alone && drawn.isolated && button->IsLightShown() &&
                            opaqueArea_->geometry().contains(button->geometry()) &&
                            (above == nullptr || button->CanCarry(*above));
        if (copied) {
            button->PaintContent(painter, button->pos(), above, &backgroundPixels_);
            continue;
        }
        painter.save();
        painter.setClipRect(button->geometry(), Qt::IntersectClip);
        PaintPicture(painter, button->geometry());
        painter.restore();
    }
    return true;
}

void CSelectPanelUI::PaintPicture(QPainter& painter, const QRect& area) {
    pending_ = QRect();
    painter.setRenderHint(QPainter::Antialiasing);
    background_.Paint(painter, rect());
    if (!drawnValid_) FindDrawnButtons();
    // A button carries the one on it only where both land on whole device pixels.
    const qreal ratio = devicePixelRatioF();
    const bool wholePixels = ratio == std::floor(ratio);
    carried_.assign(drawn_.size(), 0);
    // A button alone on the opaque part of the picture draws that part under itself, opaque.
    const QRect opaque = opaqueArea_ != nullptr && !opaqueArea_->isHidden() ? opaqueArea_->geometry() : QRect();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!opaque.isEmpty() && backgroundPixels_.size() != pixels) backgroundPixels_ = background_.Pixels(pixels);
    for (size_t i = 0; i < drawn_.size(); ++i) {
        CDeviceKeyButtonUI* button = drawn_[i].button;
        if (carried_[i] || button->isHidden() || !button->geometry().intersects(area)) continue;
        CDeviceKeyButtonUI* above = nullptr;
        if (wholePixels && drawn_[i].above >= 0 && button->CanCarry(*drawn_[size_t(drawn_[i].above)].button)) {
            above = drawn_[size_t(drawn_[i].above)].button;
            carried_[size_t(drawn_[i].above)] = 1;
        }
        const bool onOpaque = wholePixels && drawn_[i].alone && opaque.contains(button->geometry()) &&
                              backgroundPixels_.size() == pixels;
        button->PaintContent(painter, button->pos(), above, onOpaque ? &backgroundPixels_ : nullptr);
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

// Hidden buttons count as lying between two others: showing one does not find them again.
void CSelectPanelUI::FindDrawnButtons() {
    drawn_.clear();
    for (QObject* child : children()) {
        auto* button = qobject_cast<CDeviceKeyButtonUI*>(child);
        if (button != nullptr && button->Picture() == this) drawn_.push_back({button, -1, true, true});
    }
    for (size_t top = 0; top < drawn_.size(); ++top) {
        const QRect area = drawn_[top].button->geometry();
        for (size_t below = top; below-- > 0;) {
            const QRect beneath = drawn_[below].button->geometry();
            if (!beneath.intersects(area)) continue;
            drawn_[top].alone = false;
            if (beneath.contains(area) && drawn_[below].above < 0) drawn_[below].above = int(top);
            break;
        }
    }
    // Hidden buttons draw nothing; showing one finds the buttons again.
    drawnIndex_.clear();
    for (size_t i = 0; i < drawn_.size(); ++i) {
        drawnIndex_[drawn_[i].button] = i;
        if (drawn_[i].button->isHidden()) continue;
        const QRect area = drawn_[i].button->geometry();
        for (size_t other = i + 1; other < drawn_.size(); ++other) {
            if (drawn_[other].button->isHidden() || !drawn_[other].button->geometry().intersects(area)) continue;
            drawn_[other].isolated = false;
            if (drawn_[i].above != int(other)) drawn_[i].isolated = false;
        }
    }
    drawnValid_ = true;
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
    Refresh(rect());
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    if (!dragging_) return;
    SelectTouchedButtons();
    dragging_ = false;
    Refresh(rect());
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
