#include "app/controls/SkinImage.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPaintDevice>
#include <QPixmap>
#include <QPixmapCache>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace morvek::app {

// One loaded picture: an SVG renderer or a pixmap.
struct SkinImage::LoadedImage {
    std::unique_ptr<QSvgRenderer> svg;
    QPixmap pixmap;

    QSize Size() const { return svg ? svg->defaultSize() : pixmap.size(); }
};

// Pictures are kept by their resolved file, so a changed skin folder finds its own files; a
// name that finds no file is looked up again next time. An image keeps the picture it found,
// so painting it again asks the file system nothing.
const SkinImage::LoadedImage& SkinImage::Load() const {
    static const LoadedImage missing;
    static QHash<QString, std::shared_ptr<const LoadedImage>> cache;
    if (loaded_) return *loaded_;
    if (path_.isEmpty()) return missing;
    const QString name = QFileInfo(path_).isAbsolute() || path_.contains(QLatin1Char(':')) ? path_ : QStringLiteral("skin:") + path_;
    const QFileInfo file(name);
    if (!file.exists()) return missing;
    auto& entry = cache[file.absoluteFilePath()];
    if (!entry) {
        auto made = std::make_shared<LoadedImage>();
        if (name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
            auto renderer = std::make_unique<QSvgRenderer>(file.absoluteFilePath());
            if (renderer->isValid()) made->svg = std::move(renderer);
        } else {
            made->pixmap.load(file.absoluteFilePath());
        }
        entry = std::move(made);
    }
    loaded_ = entry;
    return *loaded_;
}

namespace {

// "l,t,r,b" with right and bottom exclusive, as the markup writes a source rectangle.
QRect ParseSource(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4) return {};
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return {};
    }
    return QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
}

}  // namespace

SkinImage::SkinImage(const QString& attribute) {
    static const QRegularExpression markup(QStringLiteral("(\\w+)='([^']*)'"));
    auto it = markup.globalMatch(attribute);
    if (!it.hasNext()) {
        path_ = attribute.trimmed();
        return;
    }
    while (it.hasNext()) {
        const auto match = it.next();
        const QString key = match.captured(1);
        if (key == QLatin1String("file") || key == QLatin1String("res")) path_ = match.captured(2);
        else if (key == QLatin1String("source")) source_ = ParseSource(match.captured(2));
        else if (key == QLatin1String("dest")) dest_ = ParseSource(match.captured(2));
    }
}

QSize SkinImage::NaturalSize() const { return IsEmpty() ? QSize() : Load().Size(); }

QRect SkinImage::Source() const { return source_.isValid() ? source_ : QRect(QPoint(0, 0), NaturalSize()); }

bool SkinImage::CoversTarget() const {
    if (IsEmpty() || dest_.isValid()) return false;
    const LoadedImage& image = Load();
    return !image.svg && !image.pixmap.isNull() && !image.pixmap.hasAlphaChannel();
}

namespace {

// Whether every pixel of image inside the image's rectangle inset by inset is opaque.
bool OpaqueInside(const QImage& image, int inset) {
    for (int y = inset; y < image.height() - inset; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = inset; x < image.width() - inset; ++x) {
            if (qAlpha(line[x]) != 255) return false;
        }
    }
    return true;
}

}  // namespace

// The inset is found by bisection (a larger inset of an opaque area is opaque too) once per
// picture and size. One logical pixel more than the rendering needs keeps the area covered on
// a screen of another pixel ratio, whose antialiased edges fall elsewhere.
QRect SkinImage::OpaqueArea(const QRect& target, qreal ratio) const {
    if (!DrawsWholePicture() || target.isEmpty()) return {};
    const QSize pixels = (QSizeF(target.size()) * ratio).toSize();
    const QString key = QStringLiteral("%1:%2x%3").arg(path_).arg(pixels.width()).arg(pixels.height());
    static QHash<QString, int> insets;
    auto found = insets.constFind(key);
    if (found == insets.constEnd()) {
        const QImage image = Pixels(pixels).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        int opaque = std::min(image.width(), image.height()) / 2;  // an empty rectangle
        int lowest = 0;
        while (!image.isNull() && lowest < opaque) {
            const int middle = (lowest + opaque) / 2;
            if (OpaqueInside(image, middle)) opaque = middle;
            else lowest = middle + 1;
        }
        found = insets.insert(key, image.isNull() ? -1 : opaque);
    }
    if (*found < 0) return {};
    const int inset = int(std::ceil(*found / ratio)) + 1;
    const QRect area = target.adjusted(inset, inset, -inset, -inset);
    return area.isValid() ? area : QRect();
}

QImage SkinImage::Pixels(const QSize& pixels) const {
    if (!DrawsWholePicture()) return {};
    return Rendered(pixels).toImage();
}

void SkinImage::Paint(QPainter& painter, const QRectF& target, qreal opacity) const {
    const QRectF area = dest_.isValid() ? QRectF(dest_).translated(target.topLeft()) : target;
    PaintPart(painter, area, Source(), opacity);
}

// The picture drawn at a size in device pixels, kept in the pixmap cache: an SVG is rendered
// and a pixmap scaled once per size instead of on every paint. Null when it cannot be made.
QPixmap SkinImage::Rendered(const QSize& pixels) const {
    if (pixels.isEmpty()) return {};
    const LoadedImage& image = Load();
    const QString key = QStringLiteral("skinimage:%1:%2x%3").arg(path_).arg(pixels.width()).arg(pixels.height());
    if (!image.svg && image.pixmap.size() == pixels) return image.pixmap;
    QPixmap rendered;
    if (QPixmapCache::find(key, &rendered)) return rendered;
    if (image.svg) {
        rendered = QPixmap(pixels);
        rendered.fill(Qt::transparent);
        QPainter painter(&rendered);
        painter.setRenderHint(QPainter::Antialiasing);
        image.svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    } else if (!image.pixmap.isNull()) {
        rendered = image.pixmap.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!rendered.isNull()) QPixmapCache::insert(key, rendered);
    return rendered;
}

void SkinImage::PaintPart(QPainter& painter, const QRectF& target, const QRect& source, qreal opacity) const {
    if (IsEmpty() || source.isEmpty() || target.isEmpty()) return;
    const LoadedImage& image = Load();
    if (!image.svg && image.pixmap.isNull()) return;
    painter.save();
    painter.setOpacity(painter.opacity() * opacity);
    // The whole picture scaled so that the source part covers the target, clipped to it.
    const qreal sx = target.width() / source.width();
    const qreal sy = target.height() / source.height();
    const QRectF whole(QPointF(target.left() - source.left() * sx, target.top() - source.top() * sy),
                       QSizeF(image.Size().width() * sx, image.Size().height() * sy));
    painter.setClipRect(target, Qt::IntersectClip);
    // A drawing that is only moved on the device gets the cached rendering at its device size;
    // a scaled or rotated one (printing, a zoomed render) is drawn from the picture itself.
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels = (whole.size() * ratio).toSize();
    const QPixmap rendered = painter.transform().type() <= QTransform::TxTranslate ? Rendered(pixels) : QPixmap();
    if (!rendered.isNull()) {
        QPixmap shown = rendered;
        shown.setDevicePixelRatio(ratio);
        painter.drawPixmap(whole.topLeft(), shown);
    } else if (image.svg) {
        image.svg->render(&painter, whole);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, image.pixmap, source);
    }
    painter.restore();
}

}  // namespace morvek::app
