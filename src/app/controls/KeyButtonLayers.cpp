#include "app/controls/KeyButtonLayers.h"

#include <array>
#include <utility>

namespace morvek::app {

void KeyButtonLayers::SetLook(QImage look) {
    look_ = std::move(look).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    litValid_ = false;
}

void KeyButtonLayers::SetShape(QImage shape) {
    shape_ = shape.isNull() ? QImage() : std::move(shape).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    litValid_ = false;
}

const QImage& KeyButtonLayers::Lit(const QColor& tint) {
    if (litValid_ && litWith_ == tint) return lit_;
    if (lit_.size() != look_.size() || lit_.format() != look_.format()) lit_ = QImage(look_.size(), look_.format());
    lit_.setDevicePixelRatio(look_.devicePixelRatio());
    // The tint at each coverage value, premultiplied, and what it leaves of the look below.
    const QRgb colour = tint.rgb();
    std::array<QRgb, 256> atCoverage;
    for (int alpha = 0; alpha < 256; ++alpha)
        atCoverage[size_t(alpha)] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
    const auto over = [](QRgb source, QRgb below) {
        const uint32_t keep = 255 - qAlpha(source);
        const auto channel = [keep](uint32_t s, uint32_t b) { return s + (b * keep + 127) / 255; };
        return qRgba(int(channel(qRed(source), qRed(below))), int(channel(qGreen(source), qGreen(below))),
                     int(channel(qBlue(source), qBlue(below))), int(channel(qAlpha(source), qAlpha(below))));
    };
    // A shape made for another size than the look covers nothing.
    const bool whole = shape_.isNull();
    const bool shaped = !whole && shape_.size() == look_.size();
    const int width = look_.width();
    for (int y = 0; y < look_.height(); ++y) {
        const auto* below = reinterpret_cast<const QRgb*>(look_.constScanLine(y));
        const auto* coverage = shaped ? reinterpret_cast<const QRgb*>(shape_.constScanLine(y)) : nullptr;
        auto* out = reinterpret_cast<QRgb*>(lit_.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int alpha = coverage != nullptr ? qAlpha(coverage[x]) : whole ? 255 : 0;
            out[x] = over(atCoverage[size_t(alpha)], below[x]);
        }
    }
    litWith_ = tint;
    litValid_ = true;
    return lit_;
}

}  // namespace morvek::app
