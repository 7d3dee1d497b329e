#pragma once
// Waiting in the user-interface thread's event loop the way a running program waits: asleep
// until an event arrives. A loop of processEvents() calls without WaitForMoreEvents never
// sleeps: it keeps the thread on a processor, and the scheduler then serves that busy thread
// later than a sleeping one, which shows as long event-loop gaps that are the measurement's own.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace morvek::bench {

// Runs the event loop until done() or timeoutMs; done() is looked at after every event and at
// least every 10 ms.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    QTimer wake;
    wake.start(10);
    while (!done() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return done();
}

}  // namespace morvek::bench
