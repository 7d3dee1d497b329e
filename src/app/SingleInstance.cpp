#include "app/SingleInstance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QLocalSocket>
#include <QPointer>

#include <utility>

#include "platform/InstanceSocket.h"
#include "platform/Trace.h"

namespace morvek::app {

namespace {

constexpr const char* kRaiseRequest = "raise\n";

// True when the process at the other end runs as this user.
bool FromThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    return peer.uid == ::getuid();
}

}  // namespace

QString SingleInstance::DefaultServerName() { return QString::fromStdString(InstanceSocketPath().string()); }

SingleInstance::SingleInstance(QString serverName, QObject* parent) : QObject(parent), serverName_(std::move(serverName)) {
    // No socket options: with them Qt renames its socket into place and would replace the
    // running instance's socket instead of failing.
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
}

SingleInstance::~SingleInstance() { server_.close(); }

bool SingleInstance::AskRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kHandOverTimeoutMs)) return false;
    socket.write(kRaiseRequest);
    const bool sent = socket.waitForBytesWritten(kHandOverTimeoutMs);
    // The running instance closes the connection once it has read the request.
    socket.waitForDisconnected(kHandOverTimeoutMs);
    return sent;
}

bool SingleInstance::Acquire() {
    if (server_.listen(serverName_)) return true;
    if (AskRunningInstance()) {
        Trace("single instance: the running program was asked to show its window");
        return false;
    }
    // Nobody answers: a socket left behind. Take it over.
    QLocalServer::removeServer(serverName_);
    if (!server_.listen(serverName_)) Trace("single instance: cannot listen on " + serverName_.toStdString());
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnRequestBytes(socket); });
    }
}

void SingleInstance::OnRequestBytes(QLocalSocket* socket) {
    // The bytes gathered so far live on the socket until the request is whole.
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    if (request.startsWith("raise")) {
        socket->disconnectFromServer();
        emit RaiseRequested();
        return;
    }
    if (QByteArray("raise").startsWith(request) || QByteArray("run ").startsWith(request)) {
        socket->setProperty("request", request);  // the first bytes of a request
        return;
    }
    const qsizetype lineEnd = request.indexOf('\n');
    if (!request.startsWith("run ") || (lineEnd < 0 && request.size() > 64)) {
        socket->disconnectFromServer();  // not a request of ours
        return;
    }
    if (lineEnd < 0) {
        socket->setProperty("request", request);
        return;
    }
    bool ok = false;
    const qsizetype length = request.mid(4, lineEnd - 4).toLongLong(&ok);
    if (!ok || length < 0 || length > kMaxRequestBytes) {
        socket->disconnectFromServer();
        return;
    }
    if (request.size() - lineEnd - 1 < length) {
        socket->setProperty("request", request);
        return;
    }
    socket->setProperty("request", QByteArray());
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    if (!FromThisUser(*socket)) {
        // Outside $XDG_RUNTIME_DIR the socket may be reachable by other users: their
        // commands would drive this user's devices and files.
        socket->disconnectFromServer();
        return;
    }
    const QByteArray body = request.mid(lineEnd + 1, length);
    QPointer<QLocalSocket> target(socket);
    Reply reply = [target](const QByteArray& answer) {
        if (!target) return;
        target->write(QByteArray::number(answer.size()) + "\n" + answer);
        target->disconnectFromServer();
    };
    if (commandHandler_) {
        commandHandler_(body, std::move(reply));
    } else {
        reply(R"({"exit": 1, "out": "", "err": "morvekctl: the running window does not take commands\n"})");
    }
}

}  // namespace morvek::app
