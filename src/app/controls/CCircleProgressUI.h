#pragma once
// A progress ring: a full disc in the background colour ("bkcolor"), a pie from the bottom
// sweeping clockwise over the done part in the foreground colour ("forecolor"), and a white
// disc inset by 10 over both.

#include <QColor>
#include <QProgressBar>

namespace morvek::app {

class CCircleProgressUI : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(QColor bkcolor READ BackgroundColour WRITE SetBackgroundColour)
    Q_PROPERTY(QColor forecolor READ ForegroundColour WRITE SetForegroundColour)

public:
    static constexpr int kRingInset = 10;

    explicit CCircleProgressUI(QWidget* parent = nullptr);

    QColor BackgroundColour() const { return background_; }
    void SetBackgroundColour(const QColor& colour);
    QColor ForegroundColour() const { return foreground_; }
    void SetForegroundColour(const QColor& colour);

    // The pie's sweep in degrees: the done part of the range times 360, 0 to 360.
    double SweepDegrees() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_{0x3a, 0x3d, 0x45};
    QColor foreground_{0xe6, 0x39, 0x46};
};

}  // namespace morvek::app
