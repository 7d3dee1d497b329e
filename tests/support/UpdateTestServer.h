#pragma once
// A local HTTPS update service for tests (update_server.py, run with python3): certificates made
// at start with openssl, answers and files set by the test, every request recorded.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <json/value.h>

#include "support/TempFolder.h"

namespace morvek::test {

struct RecordedRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers;
    std::string body;
};

class UpdateTestServer {
public:
    enum class Certificate { kSignedByTestAuthority, kSelfSigned };

    explicit UpdateTestServer(Certificate certificate = Certificate::kSignedByTestAuthority);
    // Ends the server process and waits for it.
    ~UpdateTestServer();
    UpdateTestServer(const UpdateTestServer&) = delete;
    UpdateTestServer& operator=(const UpdateTestServer&) = delete;

    bool IsRunning() const { return port_ > 0; }
    int Port() const { return port_; }
    // "https://127.0.0.1:PORT/"
    std::string Endpoint() const;
    // The test authority: what a client is told to trust.
    std::filesystem::path AuthorityFile() const { return folder_ / "certs" / "ca.pem"; }

    // The answer to the query of appKey: a string value goes out as it is, anything else as JSON.
    void SetAnswer(const std::string& appKey, const Json::Value& answer);
    // A file served at Endpoint() + "files/" + name; its address.
    std::string AddFile(const std::string& name, const std::string& content);
    // HEAD announces length bytes for the file.
    void Announce(const std::string& name, uint64_t length);
    // GET sends half of the file, then nothing for a minute.
    void Stall(const std::string& name);

    std::vector<RecordedRequest> Requests() const;

private:
    void WriteConfig() const;

    TempFolder folder_;
    Json::Value config_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// A SHA-256 of text for answers, as lower-case hex.
std::string Sha256Hex(const std::string& text);

}  // namespace morvek::test
