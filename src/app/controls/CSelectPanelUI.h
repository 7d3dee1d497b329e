#pragma once
// The device picture's container: draws its background picture ("bkimage") and lets the user
// span a rubber band over it. When the band is released, every shown key button the band
// touches (its border counts) becomes selected, every other one unselected, and the panel
// sends "click_select_end". A click without movement selects nothing.
//
// It draws its key buttons itself, over the picture and in child order, and collects the areas
// they ask to have repainted into one rectangle per repaint: a frame of a light effect then
// costs one paint of the picture, however many lights changed. Where its background picture is
// opaque, an OpaquePictureArea child does that painting, so nothing beneath it is painted; and
// in a frame that only changed lights it draws only the buttons whose light changed.

#include <QRect>
#include <QWidget>

#include <unordered_map>
#include <vector>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CDeviceKeyButtonUI;
class OpaquePictureArea;

class CSelectPanelUI : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString bkimage READ BackgroundImage WRITE SetBackgroundImage)

public:
    explicit CSelectPanelUI(QWidget* parent = nullptr);
    ~CSelectPanelUI() override;

    QString BackgroundImage() const { return background_.Path(); }
    void SetBackgroundImage(const QString& attribute);

    // The band while the user drags; empty otherwise.
    QRect SelectionRect() const { return dragging_ ? selection_ : QRect(); }
    // Every key button inside the panel, in child order.
    QList<CDeviceKeyButtonUI*> KeyButtons() const;
    QList<CDeviceKeyButtonUI*> SelectedKeyButtons() const;

    // A key button's area (in the panel's coordinates) is to be painted again.
    void RepaintArea(const QRect& area);
    // Only the light of a shown key button changed (its place and look did not).
    void RepaintLight(CDeviceKeyButtonUI* button);
    // Between these two the repaints the buttons ask for gather, and RepaintHeld paints them at
    // once: a device page holds its pictures over a light frame, which then costs no turn of
    // the event loop of its own.
    void HoldRepaints();
    void RepaintHeld();
    // A key button came, went, moved or changed its stacking place: the drawing order is found
    // again, and the opaque area placed again.
    void ButtonsChanged();
    // Draws the picture's area (in its coordinates): background picture, buttons, band.
    void PaintPicture(QPainter& painter, const QRect& area);
    // Draws the opaque area's part (in the picture's coordinates): after a frame that only
    // changed lights, the buttons whose light changed; otherwise as PaintPicture.
    void PaintOpaqueArea(QPainter& painter, const QRect& area);

signals:
    void notify(const QString& type);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SelectTouchedButtons();
    // Repaints area (the picture's coordinates), in the picture and in its opaque area.
    void Refresh(const QRect& area);
    // Asks Qt to repaint area, later or (now) at once; nothing while held.
    void Ask(const QRect& area, bool now = false);
    bool held_ = false;
    bool heldAsked_ = false;
    // Lays the opaque area over the part of the background picture that is opaque, unless a
    // shown key button lies across its border: such a button would be painted in two parts, by the
    // picture and by the area, in every frame.
    void PlaceOpaqueArea();
    bool PaintRelit(QPainter& painter, const QRect& area);
    bool placementPending_ = false;

    SkinImage background_;
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint start_;
    QRect selection_;
    // The areas asked for since the last paint, as one rectangle.
    QRect pending_;
    // The buttons whose light changed since the opaque area's last paint, whether nothing else
    // was asked to be repainted meanwhile, and whether a widget of the window lay over the area
    // at its last paint.
    std::vector<CDeviceKeyButtonUI*> relit_;
    bool relitOnly_ = false;
    bool coveredBefore_ = true;
    // The key buttons it draws, bottom to top, each with the index of the button that lies
    // wholly on it with nothing between them (a keycap on its light), or -1.
    struct DrawnButton {
        CDeviceKeyButtonUI* button;
        int above;
        bool alone;     // no button drawn before it overlaps it
        bool isolated;  // no button overlaps it but the one it carries
    };
    void FindDrawnButtons();
    std::vector<DrawnButton> drawn_;
    std::unordered_map<const CDeviceKeyButtonUI*, size_t> drawnIndex_;
    // Per drawn button, during a paint: drawn already, as part of the button beneath it.
    std::vector<char> carried_;
    bool drawnValid_ = false;
    OpaquePictureArea* opaqueArea_ = nullptr;
    // The background picture in device pixels, for the buttons that lie wholly on its opaque area.
    QImage backgroundPixels_;
};

}  // namespace morvek::app
