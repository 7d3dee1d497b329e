#pragma once
// The HTTP transport of the update client, over libcurl: the request-and-answer exchange of a
// query, a HEAD request for a download's size and a GET request streamed to the caller.
//
// Every request verifies the server's certificate and host name against the system's
// authorities (or, for tests, only those of HttpOptions::caFile), speaks HTTP or HTTPS only and
// takes the proxy the environment names (http_proxy, https_proxy, no_proxy, all_proxy).
// Each call uses its own handle, so calls may run on several threads at once.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace morvek::update {

// The largest answer a query keeps.
inline constexpr size_t kMaxAnswerBytes = 102400;
inline constexpr const char* kUserAgent = "MorvekUpdateClient/1.0";

struct HttpOptions {
    // When set, the only authorities trusted (tests); otherwise the system's.
    std::filesystem::path caFile;
    // Set from another thread to end a running request at once.
    const std::atomic<bool>* cancel = nullptr;
    long connectTimeoutMs = 60000;
    // A transfer that moves no byte for this long ends.
    long idleTimeoutSeconds = 30;
};

// One request with its body, the answer appended to answer (at most kMaxAnswerBytes). Method
// "GET" or "POST" in any case. The number of answer bytes; when the request could not be sent
// (no connection, a refused certificate) answer holds "NO_LINK_SERVER" and the result is 0.
// -1 for another method or an empty address. The HTTP status is not looked at.
int HttpExchange(const HttpOptions& options, std::string_view method, const std::string& address, const char* body,
                 size_t bodyLength, std::string& answer);

// The content length a HEAD request announces (asked fresh, past caches); nothing when the
// request fails, the status is not 2xx or no length is given.
std::optional<uint64_t> HttpContentLength(const HttpOptions& options, const std::string& address);

// A GET request whose body goes block by block to sink; sink returns false to stop. True when
// the whole body arrived with a 2xx status.
bool HttpGet(const HttpOptions& options, const std::string& address,
             const std::function<bool(const char* data, size_t size)>& sink);

}  // namespace morvek::update
