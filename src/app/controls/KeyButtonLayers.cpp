#include "app/controls/KeyButtonLayers.h"

#include <array>
#include <utility>

namespace morvek::app {

void KeyButtonLayers::SetLook(QImage look) {
    look_ = std::move(look).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    layersValid_ = false;
}

void KeyButtonLayers::SetShape(QImage shape) {
    shape_ = shape.isNull() ? QImage() : std::move(shape).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    layersValid_ = false;
}

// Source over, split into what depends on the tint and what does not: at coverage a the light
// gives tint x a (premultiplied) and leaves look x (255 - a) / 255 of the look. The second part
// is made once per look and shape; a new tint then costs one table and one addition per pixel
// (no channel of the sum passes 255, so the four channels add as one word).
void KeyButtonLayers::PrepareLayers() {
    const size_t count = size_t(look_.width()) * size_t(look_.height());
    coverage_.assign(count, 0);
    below_.assign(count, 0);
    // A shape made for another size than the look covers nothing; no shape covers everything.
    const bool whole = shape_.isNull();
    const bool shaped = !whole && shape_.size() == look_.size();
    size_t i = 0;
    for (int y = 0; y < look_.height(); ++y) {
        const auto* look = reinterpret_cast<const QRgb*>(look_.constScanLine(y));
        const auto* shape = shaped ? reinterpret_cast<const QRgb*>(shape_.constScanLine(y)) : nullptr;
        for (int x = 0; x < look_.width(); ++x, ++i) {
            const uint32_t alpha = shape != nullptr ? uint32_t(qAlpha(shape[x])) : whole ? 255u : 0u;
            const uint32_t keep = 255 - alpha;
            const auto part = [keep](int channel) { return (uint32_t(channel) * keep + 127) / 255; };
            coverage_[i] = uint8_t(alpha);
            below_[i] = qRgba(int(part(qRed(look[x]))), int(part(qGreen(look[x]))), int(part(qBlue(look[x]))),
                              int(part(qAlpha(look[x]))));
        }
    }
    if (lit_.size() != look_.size() || lit_.format() != look_.format()) lit_ = QImage(look_.size(), look_.format());
    lit_.setDevicePixelRatio(look_.devicePixelRatio());
    layersValid_ = true;
    litValid_ = false;
}

const QImage& KeyButtonLayers::Lit(const QColor& tint) {
    if (!layersValid_) PrepareLayers();
    if (litValid_ && litWith_ == tint) return lit_;
    const QRgb colour = tint.rgb();
    std::array<QRgb, 256> atCoverage;
    for (int alpha = 0; alpha < 256; ++alpha)
        atCoverage[size_t(alpha)] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
    size_t i = 0;
    for (int y = 0; y < lit_.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(lit_.scanLine(y));
        for (int x = 0; x < lit_.width(); ++x, ++i) out[x] = atCoverage[coverage_[i]] + below_[i];
    }
    litWith_ = tint;
    litValid_ = true;
    return lit_;
}

}  // namespace morvek::app
