#pragma once
// The part of a device picture whose background picture is opaque, as a child of the picture
// that Qt knows to be opaque: a light frame inside it then repaints only this area, without the
// window's background and the containers beneath the picture. It draws what the picture draws
// there (CSelectPanelUI::PaintOpaqueArea), key buttons included, and lets every mouse event
// through to them and to the picture.

#include <QWidget>

namespace morvek::app {

class CSelectPanelUI;

class OpaquePictureArea : public QWidget {
    Q_OBJECT

public:
    explicit OpaquePictureArea(CSelectPanelUI* picture);

    // Whether a shown widget of the same window lies over some of it.
    bool CoveredFromAbove() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CSelectPanelUI* picture_;
};

}  // namespace morvek::app
