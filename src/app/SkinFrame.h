#pragma once
// CSkinFrame: the skin picker, a pop-up under the main window's skin button (skin "skin.xml").
// It closes when the user clicks elsewhere. A picture ("skin_image_btn", its picture in the
// dynamic property "bkimage") or a colour ("skin_color_btn", property "bkcolor") becomes the
// main window's background; "skin_reset" brings back "common/background.png"; "skin_Custom"
// takes a picture file the user chooses. Pictures from the buttons and the reset are written
// to "main.ini" in the per-user folder ([SKINIMAGE] FLAGS, IMAGE); the program does not read it.
// The owner keeps the picker (one at a time) and deletes it.

#include <QColor>
#include <QString>
#include <QWidget>

#include "app/NotifyPump.h"

namespace morvek::app {

struct SkinChangedParam {
    bool solidColour = false;
    QColor colour;
    QString image;
};

class CSkinFrame final : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "skin.xml";
    static constexpr const char* kDefaultBackground = "common/background.png";

    // iniFile: the "main.ini" to write.
    CSkinFrame(QWidget* owner, QWidget* skinButton, QString iniFile);

    bool IsBuilt() const { return content_ != nullptr; }
    void Notify(const TNotifyUI& msg);
    // Right edge at the button's right edge, top at its bottom.
    void PlaceUnder(QWidget* skinButton);

signals:
    void SkinChanged(const SkinChangedParam& param);

private:
    void WriteIni(const QString& flags, const QString& image) const;
    void ShowTab(int index);

    QString iniFile_;
    QWidget* content_ = nullptr;
    CNotifyPump pump_;
};

}  // namespace morvek::app
