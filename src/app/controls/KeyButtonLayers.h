#pragma once
// KeyButtonLayers: the picture of a device key button as one image: the button's styled look,
// with the light's shape in the light's colour laid over it and, optionally, a fixed picture
// over both (the keycap that lies on the light) and one under all (the device picture beneath
// the button; when that is opaque, so is the image, and drawing it is a copy, not a blend). A light effect gives a button a new colour 20
// times a second; recolouring the shape's pixels and blending them over the kept layers costs a
// pass over a few hundred pixels, where drawing the styled frame, the light and the keycap
// through a painter each time would cost several draw calls.

#include <QColor>
#include <QImage>
#include <QPoint>

#include <cstdint>
#include <vector>

namespace morvek::app {

class KeyButtonLayers {
public:
    // The button's look (a premultiplied ARGB image of the button's size in device pixels).
    void SetLook(QImage look);
    const QImage& Look() const { return look_; }
    // The light's coverage: only the alpha channel counts. A null shape covers everything.
    void SetShape(QImage shape);
    bool HasShape() const { return !shape_.isNull(); }
    // A picture laid over the lit look with its top-left corner at offset (device pixels); a
    // null picture lays nothing. Setting the same picture (by its cache key) again is free.
    void SetAbove(const QImage& above, QPoint offset);
    // A picture of the look's size laid under the look; a null picture lays nothing.
    void SetBeneath(const QImage& beneath);

    // The look with the light in colour tint over it (source over; the shape's coverage scales
    // the tint) and the picture above over both. Made again only when the tint or a layer
    // changed.
    const QImage& Lit(const QColor& tint);

private:
    void PrepareLayers();

    QImage look_;
    QImage shape_;
    QImage above_;
    QPoint aboveOffset_;
    QImage beneath_;
    // Per pixel: which of the distinct coverages the light has there, and what the light
    // leaves visible of the layers below and above it.
    std::vector<uint8_t> level_;
    std::vector<uint8_t> coverages_;
    std::vector<QRgb> unlit_;
    // Set on every pixel of an opaque result (its alpha, which rounding may leave at 254).
    QRgb opaqueMask_ = 0;
    bool layersValid_ = false;
    QImage lit_;
    QColor litWith_;
    bool litValid_ = false;
};

}  // namespace morvek::app
