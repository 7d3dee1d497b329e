#include "app/QtUiDispatcher.h"

#include <utility>

namespace morvek::app {

void QtUiDispatcher::Post(std::function<void()> callback) {
    if (!callback) return;
    QMetaObject::invokeMethod(this, std::move(callback), Qt::QueuedConnection);
}

}  // namespace morvek::app
