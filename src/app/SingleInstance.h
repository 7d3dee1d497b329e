#pragma once
// SingleInstance: one running program per user. The first instance listens on a local socket
// named after the product title; a later start connects to it, asks it to restore and raise
// its window, and ends without creating a window. A socket left behind by a program that
// crashed is taken over.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace morvek::app {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kProductTitle = "Morvek gaming keyboard";
    static constexpr int kHandOverTimeoutMs = 2000;

    // The server name: the product title inside $XDG_RUNTIME_DIR when set (a per-user folder),
    // else the title itself (Qt puts it in the temporary folder).
    static QString DefaultServerName();

    explicit SingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first instance (it listens now). False when another instance
    // answered: it was asked to raise its window. A socket that cannot be created at all does
    // not stop the start either: true, without listening.
    bool Acquire();
    bool IsListening() const { return server_.isListening(); }
    QString ServerName() const { return serverName_; }

signals:
    // A later start asked this instance to show itself.
    void RaiseRequested();

private:
    bool AskRunningInstance();
    void OnConnection();

    QString serverName_;
    QLocalServer server_;
};

}  // namespace morvek::app
