#pragma once
// The device picture's container: draws its background picture ("bkimage") and lets the user
// span a rubber band over it. When the band is released, every shown key button the band
// touches (its border counts) becomes selected, every other one unselected, and the panel
// sends "click_select_end". A click without movement selects nothing.

#include <QRect>
#include <QWidget>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CDeviceKeyButtonUI;

class CSelectPanelUI : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString bkimage READ BackgroundImage WRITE SetBackgroundImage)

public:
    explicit CSelectPanelUI(QWidget* parent = nullptr);

    QString BackgroundImage() const { return background_.Path(); }
    void SetBackgroundImage(const QString& attribute);

    // The band while the user drags; empty otherwise.
    QRect SelectionRect() const { return dragging_ ? selection_ : QRect(); }
    // Every key button inside the panel, in child order.
    QList<CDeviceKeyButtonUI*> KeyButtons() const;
    QList<CDeviceKeyButtonUI*> SelectedKeyButtons() const;

signals:
    void notify(const QString& type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SelectTouchedButtons();

    SkinImage background_;
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint start_;
    QRect selection_;
};

}  // namespace morvek::app
