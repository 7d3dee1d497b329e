#pragma once
// ForwardedCommands: the window carries out the device commands morvekctl hands over while
// the window runs (cli/OwningWindow.h), so that one process owns each device.
//
// A command runs on a worker thread of its own, with the command line's code on the window's
// HID backend. Meanwhile every device model of the window holds its device queue (a task that
// waits until the command ended), so no report of the window goes out between a request and
// an answer of the command; when it ends, each model drops the answers its opener received
// for the command's requests, then its queue goes on. Back on the user-interface thread the
// models load their profiles again and the pages show what the command changed. Commands
// arriving meanwhile wait their turn. The user-interface thread never waits for a device.

#include <QByteArray>
#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <thread>

#include "platform/hid/HidBackend.h"

namespace morvek::app {

class CMainWnd;

class ForwardedCommands final : public QObject {
    Q_OBJECT
public:
    ForwardedCommands(CMainWnd& window, hid::IHidBackend& backend);
    // Waits for a running command to end; commands still waiting are not run.
    ~ForwardedCommands() override;

    using Reply = std::function<void(const QByteArray& answer)>;
    // A request's JSON text; reply gets the answer's JSON text, on this thread.
    void Run(const QByteArray& request, Reply reply);

    bool Busy() const { return running_; }

private:
    struct Pending {
        QByteArray request;
        Reply reply;
    };
    class DeviceHold;

    void StartNext();
    void Finished(int status, const std::string& out, const std::string& err, Reply reply);
    // The models load their profiles again and their pages show them.
    void ShowChanges();

    CMainWnd& window_;
    hid::IHidBackend& backend_;
    std::deque<Pending> waiting_;
    bool running_ = false;
    std::thread worker_;
    std::shared_ptr<DeviceHold> hold_;
};

}  // namespace morvek::app
