#include "app/controls/SkinImage.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <memory>

namespace morvek::app {
namespace {

// One loaded picture: an SVG renderer or a pixmap.
struct LoadedImage {
    std::unique_ptr<QSvgRenderer> svg;
    QPixmap pixmap;

    QSize Size() const { return svg ? svg->defaultSize() : pixmap.size(); }
};

// Pictures are kept by their resolved file, so a changed skin folder finds its own files; a
// name that finds no file is looked up again next time.
const LoadedImage& Load(const QString& path) {
    static QHash<QString, std::shared_ptr<LoadedImage>> cache;
    static const LoadedImage missing;
    const QString name = QFileInfo(path).isAbsolute() || path.contains(QLatin1Char(':')) ? path : QStringLiteral("skin:") + path;
    const QFileInfo file(name);
    if (!file.exists()) return missing;
    auto& entry = cache[file.absoluteFilePath()];
    if (!entry) {
        entry = std::make_shared<LoadedImage>();
        if (name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
            auto renderer = std::make_unique<QSvgRenderer>(file.absoluteFilePath());
            if (renderer->isValid()) entry->svg = std::move(renderer);
        } else {
            entry->pixmap.load(file.absoluteFilePath());
        }
    }
    return *entry;
}

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
    }
}

QSize SkinImage::NaturalSize() const { return IsEmpty() ? QSize() : Load(path_).Size(); }

QRect SkinImage::Source() const { return source_.isValid() ? source_ : QRect(QPoint(0, 0), NaturalSize()); }

void SkinImage::Paint(QPainter& painter, const QRectF& target, qreal opacity) const {
    PaintPart(painter, target, Source(), opacity);
}

void SkinImage::PaintPart(QPainter& painter, const QRectF& target, const QRect& source, qreal opacity) const {
    if (IsEmpty() || source.isEmpty() || target.isEmpty()) return;
    const LoadedImage& image = Load(path_);
    painter.save();
    painter.setOpacity(painter.opacity() * opacity);
    if (image.svg) {
        // The whole picture scaled so that the source part covers the target, clipped to it.
        const qreal sx = target.width() / source.width();
        const qreal sy = target.height() / source.height();
        const QSizeF whole(image.Size().width() * sx, image.Size().height() * sy);
        const QPointF origin(target.left() - source.left() * sx, target.top() - source.top() * sy);
        painter.setClipRect(target, Qt::IntersectClip);
        image.svg->render(&painter, QRectF(origin, whole));
    } else if (!image.pixmap.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, image.pixmap, source);
    }
    painter.restore();
}

}  // namespace morvek::app
