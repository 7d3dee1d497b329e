#include "app/QtUiDispatcher.h"

#include <QThread>

#include <utility>

namespace morvek::app {

void QtUiDispatcher::Post(std::function<void()> callback) {
    if (!callback) return;
    QMetaObject::invokeMethod(this, std::move(callback), Qt::QueuedConnection);
}

bool QtUiDispatcher::OnUiThread() const { return QThread::currentThread() == thread(); }

}  // namespace morvek::app
