#include "app/controls/CDeviceKeyButtonUI.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <array>

#include "app/controls/CSelectPanelUI.h"

namespace morvek::app {

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {
    FollowParent();
    // setChecked sends no event.
    connect(this, &QAbstractButton::toggled, this, [this] { RepaintIfChanged(); });
}

void CDeviceKeyButtonUI::FollowParent() {
    auto* picture = qobject_cast<CSelectPanelUI*>(parentWidget());
    if (picture == picture_) return;
    if (picture_ != nullptr) picture_->RepaintArea(scheduledGeometry_);
    picture_ = picture;
    // Not painted by the window's repaint pass: the picture draws it.
    setUpdatesEnabled(picture_ == nullptr);
    scheduledShown_ = false;
    scheduledKey_ = CurrentLookKey();
    Repaint();
}

void CDeviceKeyButtonUI::Repaint() {
    if (picture_ == nullptr) {
        update();
        return;
    }
    const bool shown = !isHidden();
    // The area it covered and the one it covers now (the same unless it moved or was hidden).
    if (scheduledShown_) picture_->RepaintArea(scheduledGeometry_);
    if (shown) picture_->RepaintArea(geometry());
    scheduledGeometry_ = geometry();
    scheduledShown_ = shown;
}

void CDeviceKeyButtonUI::RepaintIfChanged() {
    if (picture_ == nullptr) return;
    LookKey key = CurrentLookKey();
    if (scheduledShown_ == !isHidden() && scheduledGeometry_ == geometry() && scheduledKey_ == key) return;
    scheduledKey_ = std::move(key);
    Repaint();
}

bool CDeviceKeyButtonUI::event(QEvent* event) {
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
        case QEvent::Paint: break;
        case QEvent::ParentChange: FollowParent(); break;
        // Hover, press, focus, enabling, style, place and visibility arrive as events; a new
        // text posts a layout request to the picture, which asks its buttons.
        default: RepaintIfChanged(); break;
    }
    return handled;
}

void CDeviceKeyButtonUI::SetLightImage(const QString& attribute) {
    lightImage_ = SkinImage(attribute);
    shapeChanged_ = true;
    Repaint();
}

void CDeviceKeyButtonUI::SetKeySetImage(const QString& attribute) {
    keySetImage_ = SkinImage(attribute);
    Repaint();
}

void CDeviceKeyButtonUI::SetLightDisplay(uint32_t colourWord, uint8_t brightness, bool shown) {
    if (colourWord == lightColour_ && brightness == lightBrightness_ && shown == lightShown_) return;
    lightColour_ = colourWord;
    lightBrightness_ = brightness;
    lightShown_ = shown;
    Repaint();
}

QColor CDeviceKeyButtonUI::TintFor(uint32_t colourWord, uint8_t brightness) {
    const auto scaled = [brightness](uint32_t value) { return static_cast<int>((value & 0xFF) * brightness / 255); };
    return QColor(scaled(colourWord), scaled(colourWord >> 16), scaled(colourWord >> 8));
}

void CDeviceKeyButtonUI::SetKeySetImageHidden(bool hidden) {
    keySetImageHidden_ = hidden;
    Repaint();
}

void CDeviceKeyButtonUI::SetSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    // The style sheet draws the selected look through the "keySelected" property.
    style()->unpolish(this);
    style()->polish(this);
    Repaint();
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    if (picture_ != nullptr) return;  // the picture draws it
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintContent(painter);
}

void CDeviceKeyButtonUI::PaintContent(QPainter& painter) {
    PaintLook(painter);
    if (lightShown_) PaintLight(painter);
    if (!keySetImageHidden_) keySetImage_.Paint(painter, rect());
}

void CDeviceKeyButtonUI::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::StyleChange:
        case QEvent::FontChange:
        case QEvent::PaletteChange:
        case QEvent::ActivationChange:
        case QEvent::LayoutDirectionChange: ++styleGeneration_; break;
        default: break;
    }
    QPushButton::changeEvent(event);
}

// The button's look as the style draws a push button, kept as a picture until something it
// depends on changes: a light effect repaints the button 20 times a second with only the
// light's colour changed, and drawing the styled frame and text each time costs far more.
CDeviceKeyButtonUI::LookKey CDeviceKeyButtonUI::CurrentLookKey() const {
    return LookKey{isEnabled(),
                   hasFocus(),
                   underMouse(),
                   isDown(),
                   isChecked(),
                   isFlat(),
                   isDefault(),
                   text(),
                   icon().cacheKey(),
                   (QSizeF(size()) * devicePixelRatioF()).toSize(),
                   selected_,
                   styleGeneration_};
}

void CDeviceKeyButtonUI::PaintLook(QPainter& painter) {
    const LookKey key = CurrentLookKey();
    if (key != lookKey_ || look_.isNull()) {
        QStyleOptionButton option;
        initStyleOption(&option);
        const qreal ratio = devicePixelRatioF();
        look_ = QPixmap(key.pixels);
        look_.setDevicePixelRatio(ratio);
        look_.fill(Qt::transparent);
        QPainter lookPainter(&look_);
        style()->drawControl(QStyle::CE_PushButton, &option, &lookPainter, this);
        lookKey_ = key;
    }
    painter.drawPixmap(0, 0, look_);
}

// The light image's shape filled with the tint; without an image the whole button glows. The
// shape is drawn once per size and image; each new colour only recolours its pixels: a running
// light effect gives every light button a new colour 20 times a second.
void CDeviceKeyButtonUI::PaintLight(QPainter& painter) {
    const QColor tint = TintFor(lightColour_, lightBrightness_);
    if (lightImage_.IsEmpty()) {
        painter.fillRect(rect(), tint);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (shapeChanged_ || shape_.size() != size() * ratio || shape_.devicePixelRatio() != ratio) {
        shape_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shape_.setDevicePixelRatio(ratio);
        shape_.fill(Qt::transparent);
        QPainter shapePainter(&shape_);
        shapePainter.setRenderHint(QPainter::Antialiasing);
        lightImage_.Paint(shapePainter, rect());
        tinted_ = QImage(shape_.size(), QImage::Format_ARGB32_Premultiplied);
        tinted_.setDevicePixelRatio(ratio);
        tintedWith_ = QColor();
        shapeChanged_ = false;
    }
    if (tintedWith_ != tint) {
        // The tint at the shape's coverage: what filling the shape with the colour in
        // source-in mode gives.
        const QRgb colour = tint.rgb();
        std::array<QRgb, 256> atCoverage;
        for (int alpha = 0; alpha < 256; ++alpha)
            atCoverage[size_t(alpha)] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
        const int width = shape_.width();
        for (int y = 0; y < shape_.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(shape_.constScanLine(y));
            auto* out = reinterpret_cast<QRgb*>(tinted_.scanLine(y));
            for (int x = 0; x < width; ++x) out[x] = atCoverage[qAlpha(in[x])];
        }
        tintedWith_ = tint;
    }
    painter.drawImage(rect(), tinted_);
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (isEnabled() && rect().contains(event->position().toPoint())) emit notify(QStringLiteral("dbclick"));
}

}  // namespace morvek::app
