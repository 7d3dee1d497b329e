#pragma once
// A row of a list built from controls: drawn with its "normalimage", "hotimage" while the
// pointer is over it, or "selectedimage" when selected. A click selects it (and unselects the
// other rows of its list, its sibling rows) and sends "itemclick"; a change of the selection
// sends "selectchanged"; a double click sends "itemactivate".

#include <QFrame>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CListElementUI : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString normalimage READ NormalImage WRITE SetNormalImage)
    Q_PROPERTY(QString hotimage READ HotImage WRITE SetHotImage)
    Q_PROPERTY(QString selectedimage READ SelectedImage WRITE SetSelectedImage)
    Q_PROPERTY(bool itemSelected READ IsSelected WRITE Select)

public:
    explicit CListElementUI(QWidget* parent = nullptr);

    QString NormalImage() const { return normal_.Path(); }
    void SetNormalImage(const QString& attribute);
    QString HotImage() const { return hot_.Path(); }
    void SetHotImage(const QString& attribute);
    QString SelectedImage() const { return selected_.Path(); }
    void SetSelectedImage(const QString& attribute);

    void Select(bool selected);
    bool IsSelected() const { return isSelected_; }

signals:
    void notify(const QString& type);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    SkinImage normal_;
    SkinImage hot_;
    SkinImage selected_;
    bool isSelected_ = false;
    bool hovered_ = false;
};

}  // namespace morvek::app
