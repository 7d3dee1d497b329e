#pragma once
// SingleInstance: one running program per user. The first instance listens on a local socket
// named after the product title; a later start connects to it, asks it to restore and raise
// its window, and ends without creating a window. A socket left behind by a program that
// crashed is taken over. morvekctl hands its device commands to the running window on the same
// socket ("run", platform/InstanceSocket.h); a command handler carries them out.

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>
#include <QString>

#include <functional>

namespace morvek::app {

class SingleInstance final : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kProductTitle = "Morvek gaming keyboard";
    static constexpr int kHandOverTimeoutMs = 2000;

    // The server name: the product title inside $XDG_RUNTIME_DIR when set (a per-user folder),
    // else inside the temporary folder (InstanceSocketPath).
    static QString DefaultServerName();

    explicit SingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the first instance (it listens now). False when another instance
    // answered: it was asked to raise its window. A socket that cannot be created at all does
    // not stop the start either: true, without listening.
    bool Acquire();
    bool IsListening() const { return server_.isListening(); }
    QString ServerName() const { return serverName_; }

    // Carries out a "run" request (its JSON bytes) and calls reply once with the answer's
    // JSON bytes. Without a handler such requests are answered with a refusal.
    using Reply = std::function<void(const QByteArray& answer)>;
    using CommandHandler = std::function<void(const QByteArray& request, Reply reply)>;
    void SetCommandHandler(CommandHandler handler) { commandHandler_ = std::move(handler); }
    // The largest "run" request taken.
    static constexpr qsizetype kMaxRequestBytes = 1 << 20;

signals:
    // A later start asked this instance to show itself.
    void RaiseRequested();

private:
    bool AskRunningInstance();
    void OnConnection();
    void OnRequestBytes(QLocalSocket* socket);

    QString serverName_;
    QLocalServer server_;
    CommandHandler commandHandler_;
};

}  // namespace morvek::app
