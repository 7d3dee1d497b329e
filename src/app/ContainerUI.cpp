#include "app/ContainerUI.h"

#include <utility>

namespace morvek::app {

CContainerUI::CContainerUI(QString className, QWidget* parent) : QWidget(parent), className_(std::move(className)) {
    setProperty("class", className_);
}

}  // namespace morvek::app
