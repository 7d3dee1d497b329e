// The update client against a real HTTPS service on 127.0.0.1 (update_server.py): the request as
// the service receives it, certificates, proxies, and downloads that are checked before they
// are kept.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>

#include "support/TempFolder.h"
#include "support/UpdateTestServer.h"
#include "update/UpdateDownload.h"
#include "update/UpdateQuery.h"
#include "update/UpdateRequest.h"

namespace morvek::update {
namespace {

using test::UpdateTestServer;

const UpdateIdentity kPad{1, 1, 0x0105, "MORVEK", "MVKPAD", "MP2", "MP2", ""};

// A port on 127.0.0.1 nothing listens on.
int ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file of a few hundred kilobytes that is not the same byte over and over.
std::string Payload(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
    return bytes;
}

// Sets an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) { ::setenv(name, value.c_str(), 1); }
    ~ScopedEnvironment() { ::unsetenv(name_); }

private:
    const char* name_;
};

class UpdateClientTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<UpdateTestServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override {
        ASSERT_TRUE(server->IsRunning()) << "python3 and openssl are needed (scripts/setup.sh)";
        options.caFile = server->AuthorityFile();
    }

    static std::unique_ptr<UpdateTestServer> server;
    HttpOptions options;
    test::TempFolder folder;
};

std::unique_ptr<UpdateTestServer> UpdateClientTest::server;

TEST_F(UpdateClientTest, QueryIsAFormPostWhoseBodyEndsWithItsZeroByte) {
    // A 45-character body goes out as 46 bytes.
    const UpdateIdentity identity{1, 1, 0x1005, "MORVEK", "MVKPAD", "MP2XYZ", "MP2", ""};
    const std::string body = QueryBody(identity);
    ASSERT_EQ(body.size(), 45u);
    server->SetAnswer(ApplicationKey(identity), Json::Value(Json::objectValue));
    QueryUpdate(options, server->Endpoint(), identity);

    const auto requests = server->Requests();
    ASSERT_FALSE(requests.empty());
    const test::RecordedRequest& r = requests.back();
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.path, "/updates");
    EXPECT_EQ(r.headers.at("Content-Length"), "46");
    EXPECT_EQ(r.body, body + std::string(1, '\0'));
    EXPECT_EQ(r.headers.at("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(r.headers.at("Accept"), "application/prs.Velko.v1+json");
}

TEST_F(UpdateClientTest, ExchangeTakesGetAndPostInAnyCaseOnly) {
    server->SetAnswer(ApplicationKey(kPad), Json::Value("answer"));
    const std::string body = QueryBody(kPad);
    std::string answer;
    EXPECT_EQ(HttpExchange(options, "post", server->Endpoint() + "updates", body.c_str(), body.size(), answer), 6);
    EXPECT_EQ(answer, "answer");
    answer.clear();
    EXPECT_EQ(HttpExchange(options, "PUT", server->Endpoint() + "updates", body.c_str(), body.size(), answer), -1);
    EXPECT_EQ(HttpExchange(options, "POST", "", body.c_str(), body.size(), answer), -1);
    EXPECT_TRUE(answer.empty());
}

TEST_F(UpdateClientTest, AnswerBeyondItsBufferIsCut) {
    server->SetAnswer(ApplicationKey(kPad), Json::Value(std::string(kMaxAnswerBytes + 5000, 'x')));
    const std::string body = QueryBody(kPad);
    std::string answer;
    EXPECT_EQ(HttpExchange(options, "POST", server->Endpoint() + "updates", body.c_str(), body.size() + 1, answer),
              static_cast<int>(kMaxAnswerBytes));
    EXPECT_EQ(answer.size(), kMaxAnswerBytes);
}

TEST_F(UpdateClientTest, OfferedVersionComesBackAsAnOfferedRow) {
    Json::Value answer;
    answer["version"] = "106";
    answer["version_name"] = "1.06";
    answer["path"] = server->Endpoint() + "files/mp2.bin";
    server->SetAnswer(ApplicationKey(kPad), answer);
    const QueryOutcome outcome = QueryUpdate(options, server->Endpoint(), kPad);
    ASSERT_TRUE(outcome.info);
    EXPECT_EQ(outcome.info->state, kRowOffered);
    EXPECT_EQ(outcome.info->newVersionText, "V106");
    EXPECT_EQ(outcome.info->downloadAddress, server->Endpoint() + "files/mp2.bin");
}

TEST_F(UpdateClientTest, NoServerIsNoLink) {
    const QueryOutcome outcome = QueryUpdate(options, "https://127.0.0.1:" + std::to_string(ClosedPort()) + "/", kPad);
    EXPECT_TRUE(outcome.noLink);
    EXPECT_FALSE(outcome.info);
}

TEST_F(UpdateClientTest, CertificateOfAnotherAuthorityIsRefusedAndNothingIsDownloaded) {
    UpdateTestServer impostor(UpdateTestServer::Certificate::kSelfSigned);
    ASSERT_TRUE(impostor.IsRunning());
    Json::Value answer;
    answer["version"] = "999";
    impostor.SetAnswer(ApplicationKey(kPad), answer);
    const std::string address = impostor.AddFile("mp2.bin", Payload(1000));

    const QueryOutcome outcome = QueryUpdate(options, impostor.Endpoint(), kPad);
    EXPECT_TRUE(outcome.noLink);
    const auto file = folder / "UpdateData" / "MP2.bin";
    EXPECT_EQ(DownloadUpdate(options, address, file, "", nullptr), DownloadResult::kNoSize);
    EXPECT_FALSE(std::filesystem::exists(file));
    // The handshake failed: no request reached the service.
    EXPECT_TRUE(impostor.Requests().empty());
}

TEST_F(UpdateClientTest, ProxyOfTheEnvironmentIsUsedUnlessTheHostIsExempt) {
    server->SetAnswer(ApplicationKey(kPad), Json::Value(R"({"version":"106"})"));
    ScopedEnvironment proxy("https_proxy", "http://127.0.0.1:" + std::to_string(ClosedPort()));
    EXPECT_TRUE(QueryUpdate(options, server->Endpoint(), kPad).noLink);
    ScopedEnvironment exempt("no_proxy", "127.0.0.1");
    const QueryOutcome outcome = QueryUpdate(options, server->Endpoint(), kPad);
    ASSERT_TRUE(outcome.info);
    EXPECT_EQ(outcome.info->state, kRowOffered);
}

TEST_F(UpdateClientTest, DownloadReportsProgressAndKeepsTheFileWhole) {
    const std::string content = Payload(300 * 1024);
    const std::string address = server->AddFile("mp2.bin", content);
    const auto file = folder / "UpdateData" / "MP2.bin";
    std::vector<std::pair<uint64_t, uint64_t>> progress;
    EXPECT_EQ(DownloadUpdate(options, address, file, test::Sha256Hex(content),
                             [&](uint64_t expected, uint64_t done) { progress.emplace_back(expected, done); }),
              DownloadResult::kDone);
    EXPECT_EQ(ReadFile(file), content);
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".part"));
    ASSERT_GT(progress.size(), 1u);
    for (size_t i = 1; i < progress.size(); ++i) EXPECT_GT(progress[i].second, progress[i - 1].second);
    EXPECT_EQ(progress.back(), std::make_pair(uint64_t(content.size()), uint64_t(content.size())));
}

struct RefusedCase {
    const char* what;
    long announcedDifference;  // added to the real length in the HEAD answer
    bool wrongHash;
    DownloadResult result;
};

TEST_F(UpdateClientTest, DownloadOfAnotherLengthOrHashIsRefusedAndRemoved) {
    const RefusedCase cases[] = {
        {"longer than announced", -100, false, DownloadResult::kSizeMismatch},
        {"shorter than announced", +100, false, DownloadResult::kSizeMismatch},
        {"other SHA-256", 0, true, DownloadResult::kHashMismatch},
    };
    int n = 0;
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string content = Payload(64 * 1024);
        const std::string name = "refused" + std::to_string(n++) + ".bin";
        const std::string address = server->AddFile(name, content);
        if (c.announcedDifference != 0) server->Announce(name, content.size() + c.announcedDifference);
        const auto file = folder / "UpdateData" / name;
        // An earlier download of the same name goes too.
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << "old";
        const std::string hash = c.wrongHash ? test::Sha256Hex(content + "x") : test::Sha256Hex(content);
        EXPECT_EQ(DownloadUpdate(options, address, file, hash, nullptr), c.result);
        EXPECT_FALSE(std::filesystem::exists(file));
        EXPECT_FALSE(std::filesystem::exists(file.string() + ".part"));
    }
}

TEST_F(UpdateClientTest, MissingFileHasNoSize) {
    const auto file = folder / "UpdateData" / "none.bin";
    EXPECT_EQ(DownloadUpdate(options, server->Endpoint() + "files/none.bin", file, "", nullptr),
              DownloadResult::kNoSize);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(UpdateClientTest, CancelEndsAStalledDownload) {
    const std::string address = server->AddFile("stall.bin", Payload(256 * 1024));
    server->Stall("stall.bin");
    std::atomic<bool> cancel{false};
    options.cancel = &cancel;
    const auto file = folder / "UpdateData" / "stall.bin";
    std::promise<void> halfway;
    bool signalled = false;
    auto download = std::async(std::launch::async, [&] {
        return DownloadUpdate(options, address, file, "", [&](uint64_t expected, uint64_t done) {
            if (!signalled && done * 2 >= expected) {
                signalled = true;
                halfway.set_value();
            }
        });
    });
    ASSERT_EQ(halfway.get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
    cancel = true;
    ASSERT_EQ(download.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(download.get(), DownloadResult::kCancelled);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(std::filesystem::exists(file.string() + ".part"));
}

}  // namespace
}  // namespace morvek::update
