#pragma once
// CAboutWnd: the About window (skin "AboutWnd.xml"). "software_ver_label" shows the text of
// "software_rev_text" followed by the application's version text; "closebtn" closes it.

#include <QDialog>
#include <QString>

#include "app/NotifyPump.h"

namespace morvek::app {

class CAboutWnd final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "AboutWnd.xml";

    explicit CAboutWnd(QWidget* owner = nullptr);

    bool IsBuilt() const { return content_ != nullptr; }
    void SetVersionText(const QString& version);
    void Notify(const TNotifyUI& msg);

    // The version text of the application row of the update identities.
    static QString ApplicationVersionText();

private:
    QWidget* content_ = nullptr;
    CNotifyPump pump_;
};

}  // namespace morvek::app
