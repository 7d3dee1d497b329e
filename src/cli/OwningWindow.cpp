#include "cli/OwningWindow.h"

#include <json/json.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <sstream>

#include "platform/InstanceSocket.h"

namespace morvek::cli {

namespace {

// A connected socket, closed with the object.
struct Socket {
    int fd = -1;
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

bool ConnectToWindow(Socket& socket) {
    const std::string path = InstanceSocketPath().string();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    socket.fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket.fd < 0) return false;
    return ::connect(socket.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool SendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

// Everything the window writes until it closes the connection, within the time-out.
bool ReceiveAll(int fd, std::string& bytes, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd readable{fd, POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(left.count())) <= 0) return false;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0) return false;
        if (n == 0) return true;
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

std::optional<Json::Value> ParseJson(const std::string& text) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    if (!reader->parse(text.data(), text.data() + text.size(), &value, nullptr) || !value.isObject()) return std::nullopt;
    return value;
}

std::string Compact(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return Json::writeString(builder, value);
}

}  // namespace

std::string OwnerRequestText(const OwnerRequest& request) {
    Json::Value value(Json::objectValue);
    value["args"] = Json::Value(Json::arrayValue);
    for (const std::string& arg : request.args) value["args"].append(arg);
    value["dataDir"] = request.dataDir.string();
    value["defaultData"] = request.defaultData.string();
    return Compact(value);
}

std::optional<OwnerRequest> ParseOwnerRequest(const std::string& text) {
    const auto value = ParseJson(text);
    if (!value || !(*value)["args"].isArray() || !(*value)["dataDir"].isString() || !(*value)["defaultData"].isString())
        return std::nullopt;
    OwnerRequest request;
    for (const Json::Value& arg : (*value)["args"]) {
        if (!arg.isString()) return std::nullopt;
        request.args.push_back(arg.asString());
    }
    request.dataDir = (*value)["dataDir"].asString();
    request.defaultData = (*value)["defaultData"].asString();
    return request;
}

std::string OwnerAnswerText(int status, const std::string& out, const std::string& err) {
    Json::Value value(Json::objectValue);
    value["exit"] = status;
    value["out"] = out;
    value["err"] = err;
    return Compact(value);
}

std::optional<int> RunInOwningWindow(const OwnerRequest& request, std::ostream& out, std::ostream& err, int timeoutMs) {
    Socket socket;
    if (!ConnectToWindow(socket)) return std::nullopt;
    const std::string body = OwnerRequestText(request);
    std::string answer;
    const bool talked = SendAll(socket.fd, "run " + std::to_string(body.size()) + "\n" + body) &&
                        ReceiveAll(socket.fd, answer, timeoutMs);
    const size_t lineEnd = answer.find('\n');
    const auto value = talked && lineEnd != std::string::npos ? ParseJson(answer.substr(lineEnd + 1)) : std::nullopt;
    if (!value || !(*value)["exit"].isInt() || !(*value)["out"].isString() || !(*value)["err"].isString()) {
        err << "morvekctl: the running morvek window took the command but gave no answer; it owns the devices,"
               " so the command was not run here (quit the window to use the devices from morvekctl)\n";
        return 1;
    }
    out << (*value)["out"].asString();
    err << (*value)["err"].asString();
    return (*value)["exit"].asInt();
}

}  // namespace morvek::cli
