#pragma once
// A small chart of named values: a pie ("view" = "pie"), bars ("histogram", the default) or a
// path ("path": each item a step by dx and value from the end of the one before, drawn from the
// centre top as a line with a dot per step, one step highlighted). Bars are drawn with the
// "pillarimage" (else the palette's highlight colour) over an optional "shadowimage" strip at
// the foot; "showtext" writes each item's name and value.

#include <QList>
#include <QWidget>

#include "app/controls/SkinImage.h"

namespace morvek::app {

class CChartViewUI : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString view READ View WRITE SetView)
    Q_PROPERTY(QString shadowimage READ ShadowImage WRITE SetShadowImage)
    Q_PROPERTY(int shadowimageheight MEMBER shadowHeight_)
    Q_PROPERTY(QString pillarimage READ PillarImage WRITE SetPillarImage)
    Q_PROPERTY(int pillarimagewidth MEMBER pillarWidth_)
    Q_PROPERTY(bool showtext MEMBER showText_)

public:
    struct Item {
        QString name;
        double value = 0;
        double dx = 0;  // a path step's horizontal part; value is its vertical part (down positive)
    };
    enum class ViewKind { Histogram, Pie, Path };

    explicit CChartViewUI(QWidget* parent = nullptr);

    QString View() const;
    void SetView(const QString& view);
    QString ShadowImage() const { return shadow_.Path(); }
    void SetShadowImage(const QString& attribute);
    QString PillarImage() const { return pillar_.Path(); }
    void SetPillarImage(const QString& attribute);

    void AddItem(const QString& name, double value);
    // A step of the path view.
    void AddStep(const QString& name, double dx, double dy);
    // The step drawn highlighted, -1 for none.
    void SetHighlighted(int index);
    int Highlighted() const { return highlighted_; }
    void RemoveAll();
    const QList<Item>& Items() const { return items_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPie(QPainter& painter, double total) const;
    void PaintBars(QPainter& painter, double largest) const;
    void PaintPath(QPainter& painter) const;

    QList<Item> items_;
    SkinImage shadow_;
    SkinImage pillar_;
    int shadowHeight_ = 0;
    int pillarWidth_ = 24;
    bool showText_ = true;
    ViewKind kind_ = ViewKind::Histogram;
    int highlighted_ = -1;
};

}  // namespace morvek::app
