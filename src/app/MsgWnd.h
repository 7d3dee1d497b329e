#pragma once
// CMsgWnd: the modal message window every part of the program uses to tell something or to ask
// for a confirmation (skin "XML_MSG": "MessageTitle", "MessageText", "confirm_btn",
// "cancel_btn", "closebtn"). ShowMessageBox answers 1 for "confirm_btn", 0 for "cancel_btn",
// "closebtn", Escape or closing the window.

#include <QDialog>
#include <QString>

#include "app/DpiSetting.h"
#include "app/NotifyPump.h"

namespace morvek::app {

class CMsgWnd final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML_MSG";

    explicit CMsgWnd(QWidget* owner = nullptr);

    // False when the skin cannot be built (the reason is traced).
    bool IsBuilt() const { return content_ != nullptr; }
    // Empty titles keep the skin's title.
    void SetTitle(const QString& title);
    // textIsKey: the text is a text key of the language files, shown translated.
    void SetText(const QString& text, bool textIsKey);
    void SetDpi(int dpi);
    int Dpi() const { return dpi_.Value(); }
    // 0: only "confirm_btn"; 1: "confirm_btn" and "cancel_btn"; other values change nothing.
    void SetButtonMode(int mode);

    void Notify(const TNotifyUI& msg);

private:
    QWidget* content_ = nullptr;
    DpiSetting dpi_{"MSG_WND DPI SET ERROR"};
    CNotifyPump pump_;
};

// Shows the message window modally over owner and returns 1 (confirmed) or 0.
int ShowMessageBox(QWidget* owner, const QString& title, const QString& text, int dpi, bool textIsKey, int buttonMode);

}  // namespace morvek::app
