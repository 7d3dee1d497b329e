#pragma once
// CContainerUI: a control that holds other controls and reports a class name. The feature
// panels (key, light, macro, shoot, headset and profile panels) register under their class
// names with it: the skin places and fills them, the window routes their controls' notifications.

#include <QString>
#include <QWidget>

namespace morvek::app {

class CContainerUI : public QWidget {
    Q_OBJECT
public:
    explicit CContainerUI(QString className, QWidget* parent = nullptr);

    // The class name the skin used ("LightControl" for CLightControlUI).
    QString GetClass() const { return className_; }

private:
    QString className_;
};

}  // namespace morvek::app
