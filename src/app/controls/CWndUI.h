#pragma once
// Keeps a hosted window at the control's place: a child widget is placed over the control, a
// separate top-level window is kept at the control's screen position; it is shown and hidden
// with the control.

#include <QPointer>
#include <QWidget>

namespace morvek::app {

class CWndUI : public QWidget {
    Q_OBJECT

public:
    explicit CWndUI(QWidget* parent = nullptr);

    // Hosts window (or nothing). A top-level window with an owner is kept at the control's
    // screen place; any other widget becomes the control's child.
    void Attach(QWidget* window);
    QWidget* Hosted() const { return hosted_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowControl();

    QPointer<QWidget> hosted_;
    QPointer<QWidget> watchedWindow_;
};

}  // namespace morvek::app
