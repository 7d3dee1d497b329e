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

void KeyButtonLayers::SetAbove(const QImage& above, QPoint offset) {
    if (above.cacheKey() == above_.cacheKey() && offset == aboveOffset_) return;
    above_ = above.isNull() || above.format() == QImage::Format_ARGB32_Premultiplied
                 ? above
                 : above.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    aboveOffset_ = offset;
    layersValid_ = false;
}

void KeyButtonLayers::SetBeneath(const QImage& beneath) {
    if (beneath.cacheKey() == beneath_.cacheKey()) return;
    beneath_ = beneath.isNull() || beneath.format() == QImage::Format_ARGB32_Premultiplied
                   ? beneath
                   : beneath.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    layersValid_ = false;
}

namespace {

// x scaled by keep / 255 in each of its four channels, rounded.
QRgb Scaled(QRgb x, uint32_t keep) {
    const auto part = [keep](int channel) { return int((uint32_t(channel) * keep + 127) / 255); };
    return qRgba(part(qRed(x)), part(qGreen(x)), part(qBlue(x)), part(qAlpha(x)));
}

}  // namespace

// Source over, split into what depends on the tint and what does not. At coverage a the light
// gives tint x a (premultiplied) and leaves look x (255 - a) / 255 of the look; a picture above
// with alpha b then keeps (255 - b) / 255 of both and adds itself. So the light's coverage
// becomes a (255 - b) / 255, and the rest, made once per layer change, is one word per pixel.
// A new tint then costs one small table (one entry per distinct coverage) and one addition per
// pixel (no channel of the sum passes 255, so the four channels add as one word).
void KeyButtonLayers::PrepareLayers() {
    const int width = look_.width();
    const int height = look_.height();
    const size_t count = size_t(width) * size_t(height);
    level_.assign(count, 0);
    unlit_.assign(count, 0);
    coverages_.clear();
    std::array<int, 256> levelOfCoverage;
    levelOfCoverage.fill(-1);
    // A shape made for another size than the look covers nothing; no shape covers everything.
    const bool whole = shape_.isNull();
    const bool shaped = !whole && shape_.size() == look_.size();
    const QRect aboveArea = above_.isNull() ? QRect() : QRect(aboveOffset_, above_.size());
    const bool underlaid = !beneath_.isNull() && beneath_.size() == look_.size();
    bool opaque = underlaid;
    size_t i = 0;
    for (int y = 0; y < height; ++y) {
        const auto* look = reinterpret_cast<const QRgb*>(look_.constScanLine(y));
        const auto* beneath = underlaid ? reinterpret_cast<const QRgb*>(beneath_.constScanLine(y)) : nullptr;
        const auto* shape = shaped ? reinterpret_cast<const QRgb*>(shape_.constScanLine(y)) : nullptr;
        const bool aboveRow = y >= aboveArea.top() && y <= aboveArea.bottom();
        const auto* above =
            aboveRow ? reinterpret_cast<const QRgb*>(above_.constScanLine(y - aboveArea.top())) - aboveArea.left() : nullptr;
        for (int x = 0; x < width; ++x, ++i) {
            const uint32_t alpha = shape != nullptr ? uint32_t(qAlpha(shape[x])) : whole ? 255u : 0u;
            const QRgb over = above != nullptr && x >= aboveArea.left() && x <= aboveArea.right() ? above[x] : 0u;
            const uint32_t keepBelow = 255 - uint32_t(qAlpha(over));
            const uint32_t coverage = (alpha * keepBelow + 127) / 255;
            if (levelOfCoverage[coverage] < 0) {
                levelOfCoverage[coverage] = int(coverages_.size());
                coverages_.push_back(uint8_t(coverage));
            }
            level_[i] = uint8_t(levelOfCoverage[coverage]);
            QRgb styled = look[x];
            if (beneath != nullptr) {
                styled += Scaled(beneath[x], 255 - uint32_t(qAlpha(styled)));
                opaque = opaque && qAlpha(beneath[x]) == 255;
            }
            unlit_[i] = over + Scaled(Scaled(styled, 255 - alpha), keepBelow);
        }
    }
    opaqueMask_ = opaque ? 0xFF000000u : 0u;
    const QImage::Format format = opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    if (lit_.size() != look_.size() || lit_.format() != format) lit_ = QImage(look_.size(), format);
    lit_.setDevicePixelRatio(look_.devicePixelRatio());
    layersValid_ = true;
    litValid_ = false;
}

const QImage& KeyButtonLayers::Lit(const QColor& tint) {
    if (!layersValid_) PrepareLayers();
    if (litValid_ && litWith_ == tint) return lit_;
    const QRgb colour = tint.rgb();
    std::array<QRgb, 256> atLevel;
    for (size_t level = 0; level < coverages_.size(); ++level)
        atLevel[level] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), coverages_[level]));
    const int width = lit_.width();
    const int height = lit_.height();
    const qsizetype stride = lit_.bytesPerLine();
    uchar* bits = lit_.bits();
    const uint8_t* level = level_.data();
    const QRgb* unlit = unlit_.data();
    for (int y = 0; y < height; ++y, level += width, unlit += width) {
        auto* out = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x = 0; x < width; ++x) out[x] = (atLevel[level[x]] + unlit[x]) | opaqueMask_;
    }
    litWith_ = tint;
    litValid_ = true;
    return lit_;
}

}  // namespace morvek::app
