#include "app/SkinFrame.h"

#include <QFileDialog>
#include <QSettings>
#include <QStackedWidget>
#include <QTabWidget>

#include <utility>

#include "app/SkinContent.h"
#include "app/ResourceManager.h"
#include "platform/Trace.h"

namespace morvek::app {

CSkinFrame::CSkinFrame(QWidget* owner, QWidget* skinButton, QString iniFile)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint),
      iniFile_(std::move(iniFile)),
      pump_([this](const TNotifyUI& msg) { Notify(msg); }) {
    setObjectName("UISkinFrame");
    setWindowTitle("skinframe");
    content_ = LoadSkinContent(*this, kSkinName, pump_);
    if (content_ == nullptr) return;
    adjustSize();
    if (skinButton) PlaceUnder(skinButton);
}

void CSkinFrame::PlaceUnder(QWidget* skinButton) {
    const QPoint bottomRight = skinButton->mapToGlobal(QPoint(skinButton->width(), skinButton->height()));
    move(bottomRight.x() - width(), bottomRight.y());
}

void CSkinFrame::WriteIni(const QString& flags, const QString& image) const {
    QSettings ini(iniFile_, QSettings::IniFormat);
    ini.beginGroup("SKINIMAGE");
    ini.setValue("FLAGS", flags);
    ini.setValue("IMAGE", image);
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError) Trace("skin picker: cannot write " + iniFile_.toStdString());
}

void CSkinFrame::ShowTab(int index) {
    if (auto* stack = findChild<QStackedWidget*>("skin_tab")) stack->setCurrentIndex(index);
    else if (auto* tabs = findChild<QTabWidget*>("skin_tab")) tabs->setCurrentIndex(index);
}

void CSkinFrame::Notify(const TNotifyUI& msg) {
    if (msg.sType != "click") return;
    const QString name = msg.sName.toLower();
    if (name == "skin_image_btn" && msg.pSender) {
        const QString image = msg.pSender->property("bkimage").toString();
        emit SkinChanged({false, {}, image});
        WriteIni("1", image);
    } else if (name == "skin_color_btn" && msg.pSender) {
        emit SkinChanged({true, QColor(msg.pSender->property("bkcolor").toString()), {}});
    } else if (name == "skin_color") {
        ShowTab(1);
    } else if (name == "skin_image") {
        ShowTab(0);
    } else if (name == "skin_reset") {
        emit SkinChanged({false, {}, kDefaultBackground});
        WriteIni("0", kDefaultBackground);
    } else if (name == "skin_custom") {
        // The pop-up gives way to the file dialog; its owner keeps it alive.
        hide();
        const QString file =
            QFileDialog::getOpenFileName(parentWidget(), {}, {}, "PNG pictures (*.png);;All files (*)");
        if (!file.isEmpty()) emit SkinChanged({false, {}, file});
    }
}

}  // namespace morvek::app
