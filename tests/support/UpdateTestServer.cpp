#include "support/UpdateTestServer.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/FileIo.h"
#include "profiles/JsonFile.h"
#include "support/SourcePaths.h"
#include "update/Sha256.h"

extern char** environ;

namespace morvek::test {
namespace {

constexpr int kStartTimeoutMs = 20000;

// Reads the child's first line ("PORT n") within the time-out; 0 when it does not come.
int ReadPort(int fd) {
    std::string line;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, kStartTimeoutMs) <= 0) return 0;
        char c = 0;
        if (::read(fd, &c, 1) != 1) return 0;
        if (c == '\n') break;
        line += c;
    }
    if (line.rfind("PORT ", 0) != 0) return 0;
    return std::stoi(line.substr(5));
}

std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

}  // namespace

UpdateTestServer::UpdateTestServer(Certificate certificate) {
    std::filesystem::create_directories(folder_ / "certs");
    std::filesystem::create_directories(folder_ / "files");
    config_ = Json::Value(Json::objectValue);
    WriteConfig();

    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> args = {"python3",
                                     UpdateServerScript(),
                                     "--certs",
                                     (folder_ / "certs").string(),
                                     "--files",
                                     (folder_ / "files").string(),
                                     "--config",
                                     (folder_ / "config.json").string(),
                                     "--log",
                                     (folder_ / "requests.log").string()};
    if (certificate == Certificate::kSelfSigned) args.push_back("--self-signed");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int error = posix_spawnp(&pid_, "python3", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (error != 0) {
        pid_ = -1;
        ::close(pipeFds[0]);
        return;
    }
    port_ = ReadPort(pipeFds[0]);
    ::close(pipeFds[0]);
}

UpdateTestServer::~UpdateTestServer() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
}

std::string UpdateTestServer::Endpoint() const { return "https://127.0.0.1:" + std::to_string(port_) + "/"; }

void UpdateTestServer::WriteConfig() const { WriteFileAtomically(folder_ / "config.json", StyledJsonText(config_)); }

void UpdateTestServer::SetAnswer(const std::string& appKey, const Json::Value& answer) {
    config_["answers"][appKey] = answer;
    WriteConfig();
}

std::string UpdateTestServer::AddFile(const std::string& name, const std::string& content) {
    std::ofstream(folder_ / "files" / name, std::ios::binary) << content;
    return Endpoint() + "files/" + name;
}

void UpdateTestServer::Announce(const std::string& name, uint64_t length) {
    config_["announce"][name] = Json::UInt64(length);
    WriteConfig();
}

void UpdateTestServer::Stall(const std::string& name) {
    config_["stall"].append(name);
    WriteConfig();
}

std::vector<RecordedRequest> UpdateTestServer::Requests() const {
    std::vector<RecordedRequest> requests;
    std::ifstream log(folder_ / "requests.log");
    for (std::string line; std::getline(log, line);) {
        const Json::Value entry = ParseJsonText(line).value_or(Json::Value());
        RecordedRequest r;
        r.method = entry["method"].asString();
        r.path = entry["path"].asString();
        for (const std::string& name : entry["headers"].getMemberNames()) r.headers[name] = entry["headers"][name].asString();
        r.body = FromHex(entry["body"].asString());
        requests.push_back(std::move(r));
    }
    return requests;
}

std::string Sha256Hex(const std::string& text) {
    update::Sha256 digest;
    digest.Add(text.data(), text.size());
    return digest.HexDigest();
}

}  // namespace morvek::test
