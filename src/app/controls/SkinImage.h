#pragma once
// Images of the skin, named by the controls' image attributes: a path relative to the skin
// folder ("keyboard/key_light.svg", found through the "skin:" search prefix the resource
// manager sets up), an absolute path, or the markup "file='power/powered.png' source='l,t,r,b'"
// (the part of the picture drawn) with an optional "dest='l,t,r,b'" (where in the control it is
// drawn; else over the whole control). SVG pictures are rendered as vectors at the target size,
// other files scaled smoothly; each rendering is kept in Qt's pixmap cache by path and size, so
// repainting a picture is a copy.

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;

namespace morvek::app {

class SkinImage {
public:
    // Parses an image attribute; an empty attribute gives an empty image.
    explicit SkinImage(const QString& attribute = {});

    bool IsEmpty() const { return path_.isEmpty(); }
    QString Path() const { return path_; }
    // The picture's natural size; empty when the file is missing or unreadable.
    QSize NaturalSize() const;
    // The part of the picture drawn; the whole picture when the markup gives no source.
    QRect Source() const;
    // True when Paint covers all of its target with opaque pixels: a picture without an alpha
    // channel and without a dest part (an SVG never counts).
    bool CoversTarget() const;
    // The largest part of target, inset alike from its four sides, that Paint covers with
    // opaque pixels at the given device pixel ratio; empty when there is none or the markup
    // names a source or dest part.
    QRect OpaqueArea(const QRect& target, qreal ratio) const;
    // The whole picture as Paint draws it over a target of pixels device pixels (from the
    // cached rendering); null when it cannot be made or the markup names a source or dest part.
    QImage Pixels(const QSize& pixels) const;

    // Draws the image (or its source part) scaled into target (its dest part, when the markup
    // gives one) with the given opacity.
    void Paint(QPainter& painter, const QRectF& target, qreal opacity = 1.0) const;
    // Draws the part source of the picture into target, ignoring the markup's own source.
    void PaintPart(QPainter& painter, const QRectF& target, const QRect& source, qreal opacity = 1.0) const;

private:
    struct LoadedImage;
    const LoadedImage& Load() const;
    // Paint draws the whole picture over the whole target: the markup names no part.
    bool DrawsWholePicture() const { return !IsEmpty() && !source_.isValid() && !dest_.isValid(); }
    QPixmap Rendered(const QSize& pixels) const;

    QString path_;
    mutable std::shared_ptr<const LoadedImage> loaded_;
    QRect source_;
    QRect dest_;
};

}  // namespace morvek::app
