#pragma once
// A key or LED of a device picture. Over the button's own look it draws the LED's light (its
// "lightimage" tinted with the light colour and brightness) and, when shown, the "keysetimage".
// The selection panel marks it selected; a double click sends "dbclick".

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <cstdint>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CDeviceKeyButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString lightimage READ LightImage WRITE SetLightImage)
    Q_PROPERTY(QString keysetimage READ KeySetImage WRITE SetKeySetImage)
    Q_PROPERTY(bool keySelected READ IsSelected WRITE SetSelected)

public:
    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    QString LightImage() const { return lightImage_.Path(); }
    void SetLightImage(const QString& attribute);
    QString KeySetImage() const { return keySetImage_.Path(); }
    void SetKeySetImage(const QString& attribute);

    // colourWord is c0 + c2 * 256 + c1 * 65536 of the LED's colour bytes (c0 red, c1 green,
    // c2 blue); brightness 0-255.
    void SetLightDisplay(uint32_t colourWord, uint8_t brightness, bool shown);
    uint32_t LightColour() const { return lightColour_; }
    uint8_t LightBrightness() const { return lightBrightness_; }
    bool IsLightShown() const { return lightShown_; }
    // The colour the light is drawn in: the LED's colour scaled by its brightness.
    static QColor TintFor(uint32_t colourWord, uint8_t brightness);

    void SetKeySetImageHidden(bool hidden);
    bool IsKeySetImageHidden() const { return keySetImageHidden_; }

    void SetSelected(bool selected);
    bool IsSelected() const { return selected_; }

signals:
    void notify(const QString& type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void PaintLight(QPainter& painter);

    SkinImage lightImage_;
    SkinImage keySetImage_;
    uint32_t lightColour_ = 0x0000FF;
    uint8_t lightBrightness_ = 200;
    bool lightShown_ = false;
    bool keySetImageHidden_ = true;
    bool selected_ = false;
    QImage shape_;
    QImage tinted_;
    QColor tintedWith_;
};

}  // namespace morvek::app
