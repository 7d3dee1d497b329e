#pragma once
// The light panel's colour palette ("deng_Color_Pallet"): a field of every hue from left to
// right, fully saturated at the top and fading to white at the bottom. Pressing or dragging in
// it picks the colour under the pointer and sends "colorchanged"; arrow keys move the pick.
// Setting the colour from the program moves the mark without a notification.

#include <QColor>
#include <QImage>
#include <QWidget>

namespace morvek::app {

class CColorPaletteUI : public QWidget {
    Q_OBJECT
public:
    explicit CColorPaletteUI(QWidget* parent = nullptr);

    QColor Colour() const { return colour_; }
    // Shows colour (marked at its hue and saturation) without sending a notification.
    void SetColour(const QColor& colour);
    // The colour the field shows at a point of the widget (clamped to the field).
    QColor ColourAt(QPoint point) const;

    QSize sizeHint() const override { return {180, 96}; }

signals:
    void notify(const QString& type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Pick(QPoint point);
    QPoint MarkPosition() const;

    QColor colour_{Qt::red};
    QImage field_;
};

}  // namespace morvek::app
