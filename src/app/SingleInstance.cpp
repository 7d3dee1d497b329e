#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>

#include <utility>

#include "platform/Trace.h"

namespace morvek::app {

namespace {

constexpr const char* kRaiseRequest = "raise\n";

}  // namespace

QString SingleInstance::DefaultServerName() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(kProductTitle);
    return kProductTitle;
}

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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray request = socket->readAll();
            socket->disconnectFromServer();
            if (request.startsWith("raise")) emit RaiseRequested();
        });
    }
}

}  // namespace morvek::app
