#pragma once
// A small chart of named values: a pie ("view" = "pie") or bars ("histogram", the default).
// Bars are drawn with the "pillarimage" (else the palette's highlight colour) over an optional
// "shadowimage" strip at the foot; "showtext" writes each item's name and value.

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
    };

    explicit CChartViewUI(QWidget* parent = nullptr);

    QString View() const { return pie_ ? QStringLiteral("pie") : QStringLiteral("histogram"); }
    void SetView(const QString& view);
    QString ShadowImage() const { return shadow_.Path(); }
    void SetShadowImage(const QString& attribute);
    QString PillarImage() const { return pillar_.Path(); }
    void SetPillarImage(const QString& attribute);

    void AddItem(const QString& name, double value);
    void RemoveAll();
    const QList<Item>& Items() const { return items_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintPie(QPainter& painter, double total) const;
    void PaintBars(QPainter& painter, double largest) const;

    QList<Item> items_;
    SkinImage shadow_;
    SkinImage pillar_;
    int shadowHeight_ = 0;
    int pillarWidth_ = 24;
    bool showText_ = true;
    bool pie_ = false;
};

}  // namespace morvek::app
