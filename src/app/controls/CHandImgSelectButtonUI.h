#pragma once
// A button showing a picture ("handimage") that may be larger than the button: then only a
// button-sized part of it is shown, and dragging with the button held pans that part by the
// pointer's movement, kept inside the picture. "cursor" names the pointer shape shown over it.
// Entering and leaving send "msenter" and "msleave".

#include <QPushButton>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CHandImgSelectButtonUI : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString handimage READ HandImage WRITE SetHandImage)
    Q_PROPERTY(QString cursor READ CursorName WRITE SetCursorName)

public:
    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr);

    QString HandImage() const { return handImage_.Path(); }
    void SetHandImage(const QString& attribute);
    // "arrow", "ibeam", "wait", "cross", "uparrow", "size", "icon", "sizenwse", "sizenesw",
    // "sizewe", "sizens", "sizeall", "no", "hand"; other names leave the cursor unchanged.
    QString CursorName() const { return cursorName_; }
    void SetCursorName(const QString& name);

    // The part of the picture shown, in picture coordinates.
    QRect SourceRect() const { return source_; }

signals:
    void notify(const QString& type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool IsPannable() const;
    void FitSource();
    void MoveSource(QPoint by);

    SkinImage handImage_;
    QSize imageSize_;
    QRect source_;
    QString cursorName_;
    QPoint lastPointer_;
    bool dragging_ = false;
};

}  // namespace morvek::app
