#include "app/controls/CDeviceKeyButtonUI.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace morvek::app {

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {}

void CDeviceKeyButtonUI::SetLightImage(const QString& attribute) {
    lightImage_ = SkinImage(attribute);
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

// The light image's shape filled with the tint; without an image the whole button glows.
void CDeviceKeyButtonUI::PaintLight(QPainter& painter) const {
    const QColor tint = TintFor(lightColour_, lightBrightness_);
    if (lightImage_.IsEmpty()) {
        painter.fillRect(rect(), tint);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    QImage shape(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    shape.setDevicePixelRatio(ratio);
    shape.fill(Qt::transparent);
    {
        QPainter shapePainter(&shape);
        shapePainter.setRenderHint(QPainter::Antialiasing);
        lightImage_.Paint(shapePainter, rect());
        shapePainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        shapePainter.fillRect(rect(), tint);
    }
    painter.drawImage(rect(), shape);
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    QPushButton::mouseDoubleClickEvent(event);
    if (isEnabled() && rect().contains(event->position().toPoint())) emit notify(QStringLiteral("dbclick"));
}

}  // namespace morvek::app
