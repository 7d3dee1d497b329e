#pragma once
// A button showing a picture ("handimage") with a delete area in its lower right corner. While
// the pointer is over the button and the area is shown, the delete image is drawn there (hot
// while the pointer is inside it); a release inside it sends "click_handdelete" instead of a
// click. Entering and leaving send "msenter" and "msleave".

#include <QPushButton>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CHandImgButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString handimage READ HandImage WRITE SetHandImage)
    Q_PROPERTY(QString deletenormalimage READ DeleteNormalImage WRITE SetDeleteNormalImage)
    Q_PROPERTY(QString deletehotimage READ DeleteHotImage WRITE SetDeleteHotImage)

public:
    explicit CHandImgButtonUI(QWidget* parent = nullptr);

    QString HandImage() const { return handImage_.Path(); }
    void SetHandImage(const QString& attribute);
    QString DeleteNormalImage() const { return deleteNormal_.Path(); }
    void SetDeleteNormalImage(const QString& attribute);
    QString DeleteHotImage() const { return deleteHot_.Path(); }
    void SetDeleteHotImage(const QString& attribute);

    void SetDeleteAreaHidden(bool hidden);
    bool IsDeleteAreaHidden() const { return deleteAreaHidden_; }
    // The 20 x 20 square whose left edge lies 30 and top edge 29 inside the right and bottom.
    QRect DeleteArea() const;
    // Whether the delete image is drawn now (pointer over the button, area not hidden).
    bool IsDeleteAreaShown() const { return hovered_ && !deleteAreaHidden_; }

signals:
    void notify(const QString& type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    SkinImage handImage_;
    SkinImage deleteNormal_;
    SkinImage deleteHot_;
    bool deleteAreaHidden_ = true;
    bool hovered_ = false;
    bool pointerInDeleteArea_ = false;
};

}  // namespace morvek::app
