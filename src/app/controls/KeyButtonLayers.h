#pragma once
// KeyButtonLayers: the picture of a device key button as one image: the button's styled look,
// with the light's shape in the light's colour laid over it. A light effect gives a button a new
// colour 20 times a second; recolouring the shape's pixels and blending them over the kept look
// costs a pass over a few hundred pixels, where drawing the styled frame and the light through
// a painter each time would cost several draw calls.

#include <QColor>
#include <QImage>

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

    // The look with the light in colour tint over it (source over; the shape's coverage scales
    // the tint). Made again only when the tint, the look or the shape changed.
    const QImage& Lit(const QColor& tint);

private:
    void PrepareLayers();

    QImage look_;
    QImage shape_;
    // Per pixel: the light's coverage and what the light leaves of the look.
    std::vector<uint8_t> coverage_;
    std::vector<QRgb> below_;
    bool layersValid_ = false;
    QImage lit_;
    QColor litWith_;
    bool litValid_ = false;
};

}  // namespace morvek::app
