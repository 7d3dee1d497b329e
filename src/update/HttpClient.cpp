#include "update/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>

#include "platform/Trace.h"
#include "update/UpdateAnswer.h"

namespace morvek::update {
namespace {

void InitialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct HandleDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Handle = std::unique_ptr<CURL, HandleDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using Multi = std::unique_ptr<CURLM, MultiDeleter>;

// How long a waiting request sleeps before it looks at its cancel flag again.
constexpr int kCancelCheckMs = 20;

// Runs the request; a set cancel flag ends it within kCancelCheckMs.
CURLcode Perform(CURL* h, const std::atomic<bool>* cancel) {
    if (cancel == nullptr) return curl_easy_perform(h);
    Multi multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), h) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode result = CURLE_ABORTED_BY_CALLBACK;
    for (int running = 1; running > 0;) {
        if (cancel->load()) break;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
            if (message->msg == CURLMSG_DONE) result = message->data.result;
        }
        if (running > 0) curl_multi_poll(multi.get(), nullptr, 0, kCancelCheckMs, nullptr);
    }
    curl_multi_remove_handle(multi.get(), h);
    return result;
}

// A handle with what every request shares: certificates verified, HTTP and HTTPS only,
// time-outs. The environment's proxy settings apply by default.
Handle NewHandle(const HttpOptions& options, const std::string& address) {
    InitialiseCurlOnce();
    Handle handle(curl_easy_init());
    if (!handle) return handle;
    CURL* h = handle.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!options.caFile.empty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, options.caFile.c_str());
        curl_easy_setopt(h, CURLOPT_CAPATH, nullptr);
    }
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, options.idleTimeoutSeconds);
    return handle;
}

// A download may be redirected (a mirror), but never from HTTPS to plain HTTP.
void AllowRedirects(CURL* h, const std::string& address) {
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    const bool secure = address.size() >= 8 && std::equal(address.begin(), address.begin() + 8, "https://",
                                                          [](char a, char b) { return std::tolower(a) == b; });
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
}

bool IsSuccess(CURL* h) {
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return status >= 200 && status < 300;
}

void TraceFailure(const char* what, const std::string& address, CURLcode code) {
    Trace(std::string("update: ") + what + " " + address + ": " + curl_easy_strerror(code));
}

struct AnswerSink {
    std::string* answer;
    size_t appended = 0;
};

size_t AppendAnswer(char* data, size_t size, size_t count, void* user) {
    auto* sink = static_cast<AnswerSink*>(user);
    const size_t bytes = size * count;
    const size_t room = kMaxAnswerBytes - std::min(kMaxAnswerBytes, sink->appended);
    const size_t taken = std::min(bytes, room);
    sink->answer->append(data, taken);
    sink->appended += taken;
    // A longer answer ends the transfer; what fits is kept.
    return taken == bytes ? bytes : 0;
}

using BlockSink = std::function<bool(const char*, size_t)>;

size_t PassBlock(char* data, size_t size, size_t count, void* user) {
    const auto* sink = static_cast<const BlockSink*>(user);
    const size_t bytes = size * count;
    return (*sink)(data, bytes) ? bytes : 0;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

int HttpExchange(const HttpOptions& options, std::string_view method, const std::string& address, const char* body,
                 size_t bodyLength, std::string& answer) {
    const bool post = EqualsIgnoringCase(method, "POST");
    if ((!post && !EqualsIgnoringCase(method, "GET")) || address.empty()) return -1;
    Handle handle = NewHandle(options, address);
    if (!handle) return -1;
    CURL* h = handle.get();
    HeaderList headers(curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"));
    headers.reset(curl_slist_append(headers.release(), "Accept:application/prs.Velko.v1+json"));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    if (post || bodyLength > 0) {
        // The body goes out with exactly bodyLength bytes; curl states that length itself.
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, body);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength));
        if (!post) curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, "GET");
    }
    AnswerSink sink{&answer};
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &AppendAnswer);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    const CURLcode result = Perform(h, options.cancel);
    if (result != CURLE_OK && sink.appended == 0) {
        TraceFailure(post ? "POST" : "GET", address, result);
        answer = kNoLinkServer;
        return 0;
    }
    return static_cast<int>(sink.appended);
}

std::optional<uint64_t> HttpContentLength(const HttpOptions& options, const std::string& address) {
    Handle handle = NewHandle(options, address);
    if (!handle) return std::nullopt;
    CURL* h = handle.get();
    AllowRedirects(h, address);
    HeaderList headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    const CURLcode result = Perform(h, options.cancel);
    if (result != CURLE_OK) {
        TraceFailure("HEAD", address, result);
        return std::nullopt;
    }
    curl_off_t length = -1;
    curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (!IsSuccess(h) || length < 0) return std::nullopt;
    return static_cast<uint64_t>(length);
}

bool HttpGet(const HttpOptions& options, const std::string& address, const BlockSink& sink) {
    Handle handle = NewHandle(options, address);
    if (!handle) return false;
    CURL* h = handle.get();
    AllowRedirects(h, address);
    // A status other than 2xx ends the request before any of its body reaches the sink.
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &PassBlock);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, const_cast<BlockSink*>(&sink));
    const CURLcode result = Perform(h, options.cancel);
    if (result != CURLE_OK) {
        TraceFailure("GET", address, result);
        return false;
    }
    return IsSuccess(h);
}

}  // namespace morvek::update
