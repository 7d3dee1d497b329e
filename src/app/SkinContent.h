#pragma once
// The content of a small window built from its skin file: laid out to fill the window, its
// texts translated and its notifications going to the window's pump. nullptr when the skin
// cannot be built (traced with the window's name).

#include <QString>
#include <QWidget>

#include "app/NotifyPump.h"

namespace morvek::app {

QWidget* LoadSkinContent(QWidget& window, const QString& skinName, CNotifyPump& pump);

}  // namespace morvek::app
