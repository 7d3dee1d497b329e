#pragma once
// QtUiDispatcher: results of device work reach the user-interface thread as queued calls on
// this object's thread (the thread that created it). Callbacks still queued when it is
// destroyed are dropped.

#include <QObject>

#include "devicelink/UiDispatcher.h"

namespace morvek::app {

class QtUiDispatcher final : public QObject, public IUiDispatcher {
    Q_OBJECT
public:
    using QObject::QObject;

    void Post(std::function<void()> callback) override;
    bool OnUiThread() const override;
};

}  // namespace morvek::app
