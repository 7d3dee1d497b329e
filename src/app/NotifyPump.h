#pragma once
// CNotifyPump: turns the Qt signals of a control tree into the notifications a window's Notify
// handles, each with its type and the sender's object name:
//
// | Control                         | Qt signal / event                  | Notification        |
// | any button                      | clicked                            | "click"             |
// | checkable button (option, check)| toggled                            | "selectchanged"     |
// | slider                          | sliderMoved                        | "movevaluechanged"  |
// | slider                          | released, or changed while not held| "valuechanged"      |
// | combo box                       | activated (a user's choice)        | "itemselect"        |
// | list, tree, table view          | pressed on a row                   | "itemselect"        |
// | list, tree, table view          | clicked / activated                | "itemclick" / "itemactivate" |
// | line edit, text edit            | edited by the user                 | "textchanged"       |
// | line edit                       | Enter                              | "return"            |
// | any attached control with focus | focus in / focus out               | "setfocus" / "killfocus" |
// | custom control                  | its signal notify(QString type)    | type                |
//
// Custom controls send their own types ("click_select_end", "dbclick", "click_handdelete",
// "msenter", "msleave", ...) by declaring the signal `void notify(const QString& type);`.
// Programmatic changes of combos and lists (a page showing its model) send nothing.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace morvek::app {

struct TNotifyUI {
    QString sType;
    QString sName;               // the sender's object name
    QPointer<QWidget> pSender;   // null for notifications the window sends itself
    int wParam = 0;              // item index, slider value, timer id
};

class CNotifyPump final : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const TNotifyUI&)>;

    explicit CNotifyPump(Sink sink, QObject* parent = nullptr);

    // Connects root and every control under it (once each; a control attached before is skipped);
    // controls added under an attached control later are connected when they are polished.
    void Attach(QWidget* root);
    // Delivers a notification to the sink as if a control had sent it.
    void Send(const QString& type, QWidget* sender, int param = 0);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void OnControlNotify(const QString& type);

private:
    void AttachOne(QWidget* control);

    Sink sink_;
};

}  // namespace morvek::app
