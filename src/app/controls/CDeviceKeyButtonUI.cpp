#include "app/controls/CDeviceKeyButtonUI.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace morvek::app {

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {}

void CDeviceKeyButtonUI::SetLightImage(const QString& attribute) {
    lightImage_ = SkinImage(attribute);
    shape_ = QImage();
    update();
}

void CDeviceKeyButtonUI::SetKeySetImage(const QString& attribute) {
    keySetImage_ = SkinImage(attribute);
    update();
}

void CDeviceKeyButtonUI::SetLightDisplay(uint32_t colourWord, uint8_t brightness, bool shown) {
    if (colourWord == lightColour_ && brightness == lightBrightness_ && shown == lightShown_) return;
    lightColour_ = colourWord;
    lightBrightness_ = brightness;
    lightShown_ = shown;
    update();
}

QColor CDeviceKeyButtonUI::TintFor(uint32_t colourWord, uint8_t brightness) {
    const auto scaled = [brightness](uint32_t value) { return static_cast<int>((value & 0xFF) * brightness / 255); };
    return QColor(scaled(colourWord), scaled(colourWord >> 16), scaled(colourWord >> 8));
}

void CDeviceKeyButtonUI::SetKeySetImageHidden(bool hidden) {
    keySetImageHidden_ = hidden;
    update();
}

void CDeviceKeyButtonUI::SetSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    // The style sheet draws the selected look through the "keySelected" property.
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (lightShown_) PaintLight(painter);
    if (!keySetImageHidden_) keySetImage_.Paint(painter, rect());
}

// The light image's shape filled with the tint; without an image the whole button glows. The
// shape is drawn once per size and image, the tinted shape once per colour: a running light
// effect repaints every light button 20 times a second.
void CDeviceKeyButtonUI::PaintLight(QPainter& painter) {
    const QColor tint = TintFor(lightColour_, lightBrightness_);
    if (lightImage_.IsEmpty()) {
        painter.fillRect(rect(), tint);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    if (shape_.size() != size() * ratio || shape_.devicePixelRatio() != ratio) {
        shape_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shape_.setDevicePixelRatio(ratio);
        shape_.fill(Qt::transparent);
        QPainter shapePainter(&shape_);
        shapePainter.setRenderHint(QPainter::Antialiasing);
        lightImage_.Paint(shapePainter, rect());
        tinted_ = QImage();
    }
    if (tinted_.isNull() || tintedWith_ != tint) {
        tinted_ = shape_;
        QPainter tintPainter(&tinted_);
        tintPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tintPainter.fillRect(rect(), tint);
        tintedWith_ = tint;
    }
    painter.drawImage(rect(), tinted_);
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (isEnabled() && rect().contains(event->position().toPoint())) emit notify(QStringLiteral("dbclick"));
}

}  // namespace morvek::app
