#pragma once
// CWindowBackground: the main window's background, drawn under everything the root widget
// holds: a picture stretched over the whole root, or a plain colour. The stretched picture is
// made once per window size (SkinImage's cache), so a repaint of a small area, such as a light
// of a device picture 20 times a second, copies pixels instead of scaling the picture again.
// The root counts as opaque, so the window under it is not painted at all.

#include <QColor>
#include <QObject>
#include <QString>

#include "app/controls/SkinImage.h"

class QWidget;

namespace morvek::app {

class CWindowBackground final : public QObject {
    Q_OBJECT
public:
    // Draws on root (its child from now on) before root's own painting.
    explicit CWindowBackground(QWidget* root);

    // A picture in the skin folder ("common/background.png") or a file's absolute path.
    void SetImage(const QString& path);
    void SetColour(const QColor& colour);
    QString Image() const { return image_.Path(); }
    // Invalid while a picture is shown.
    QColor Colour() const { return colour_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* root_;
    SkinImage image_;
    QColor colour_;
};

}  // namespace morvek::app
