#pragma once
// A key or LED of a device picture. Over the button's own look it draws the LED's light (its
// "lightimage" tinted with the light colour and brightness) and, when shown, the "keysetimage".
// The selection panel marks it selected; a double click sends "dbclick".
//
// On a device picture (a CSelectPanelUI parent) the picture draws the button, in one pass with
// all its other buttons: a light effect changes up to 126 lights 20 times a second, and letting
// each button and the keycap over it paint itself would cost two widget paints per light. The
// button then never paints itself; whatever changes its look (light, selection, hover, press,
// text, place) asks the picture to repaint the button's area. Its look is kept as an image until
// something it depends on changes; the light is blended over it (KeyButtonLayers).

#include <QColor>
#include <QPushButton>
#include <cstdint>

#include "app/controls/KeyButtonLayers.h"
#include "app/controls/SkinImage.h"

namespace morvek::app {

class CSelectPanelUI;

class CDeviceKeyButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString lightimage READ LightImage WRITE SetLightImage)
    Q_PROPERTY(QString keysetimage READ KeySetImage WRITE SetKeySetImage)
    Q_PROPERTY(bool keySelected READ IsSelected WRITE SetSelected)

public:
    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);
    // The picture that draws the button is being destroyed: nothing is asked of it any more.
    void LeavePicture() { picture_ = nullptr; }

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

    // Draws the button as it looks now with its top-left corner at at. Given a button above
    // that it can carry (CanCarry), it lays that button's picture over its own in one image;
    // the caller then does not draw that button.
    // Given the picture beneath it (the whole device picture in device pixels, opaque where
    // the button is and with no other button there), a lit button draws itself opaque.
    void PaintContent(QPainter& painter, QPoint at, CDeviceKeyButtonUI* above = nullptr,
                      const QImage* pictureBeneath = nullptr);
    // Whether this button can draw above as part of itself: it is lit and shows no key-set
    // mark, and above, shown and unlit, lies wholly inside it. A keycap on its light changes
    // only when the user works it, while the light changes with every frame.
    bool CanCarry(const CDeviceKeyButtonUI& above) const;
    // The button's picture without its light: its look with the key-set mark, when shown.
    const QImage& UnlitImage();
    // The picture that draws this button, or nullptr while it draws itself.
    CSelectPanelUI* Picture() const { return picture_; }
    // Asks the picture for a repaint when the look, place or visibility changed since it was
    // last asked. The button's own events call it; the picture calls it when a text changed.
    void RepaintIfChanged();

signals:
    void notify(const QString& type);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // What the button's own look depends on: its states and content, the size and the style
    // sheet's rules (changes of style, font, palette and window activation are counted by
    // styleGeneration_). Read from plain accessors, so comparing it is cheap.
    struct LookKey {
        bool enabled = false;
        bool focused = false;
        bool hovered = false;
        bool down = false;
        bool checked = false;
        bool flat = false;
        bool isDefault = false;
        QString text;
        qint64 icon = 0;
        QSize pixels;
        bool selected = false;
        int styleGeneration = -1;

        bool operator==(const LookKey&) const = default;
    };

    LookKey CurrentLookKey() const;
    // The look and the light's shape for key, when they were made for another.
    void UpdateLayers(const LookKey& key);
    // Drawn by the picture when the parent is one, else by itself.
    void FollowParent();
    // Repaints the button's area: its own update, or the picture's.
    void Repaint();

    SkinImage lightImage_;
    SkinImage keySetImage_;
    uint32_t lightColour_ = 0x0000FF;
    uint8_t lightBrightness_ = 200;
    bool lightShown_ = false;
    bool keySetImageHidden_ = true;
    bool selected_ = false;
    int styleGeneration_ = 0;

    CSelectPanelUI* picture_ = nullptr;  // the parent, when it is a picture
    // What the picture was last asked to show (kept up to date by the button's events).
    LookKey scheduledKey_;
    QRect scheduledGeometry_;
    bool scheduledShown_ = false;

    KeyButtonLayers layers_;
    // The look with the key-set mark over it, and the look it was made from.
    QImage unlit_;
    qint64 unlitFrom_ = 0;
    // The part of the device picture under the button, and the picture and place it was cut from.
    QImage beneath_;
    qint64 beneathFrom_ = 0;
    QRect beneathPlace_;
    LookKey layersKey_;   // what the layers' look was made for
    bool shapeChanged_ = true;
};

}  // namespace morvek::app
