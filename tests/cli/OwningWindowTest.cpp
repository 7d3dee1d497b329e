// morvekctl's side of one owner per device: which commands go to a running window, the
// request and answer texts, and what morvekctl does when no window listens, when one answers
// and when one takes the command but gives no answer (a listener on a socket in a temporary
// $XDG_RUNTIME_DIR stands in for the window).
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include "cli/Morvekctl.h"
#include "cli/OwningWindow.h"
#include "platform/InstanceSocket.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

// No morvek window of this machine takes the commands of the command-line tests: the whole
// test program has a $XDG_RUNTIME_DIR of its own, where no window listens.
class PrivateRuntimeFolder : public ::testing::Environment {
public:
    void SetUp() override {
        folder_ = std::make_unique<test::TempFolder>();
        setenv("XDG_RUNTIME_DIR", folder_->Path().c_str(), 1);
    }
    void TearDown() override { folder_.reset(); }

private:
    std::unique_ptr<test::TempFolder> folder_;
};
[[maybe_unused]] ::testing::Environment* const kPrivateRuntimeFolder =
    ::testing::AddGlobalTestEnvironment(new PrivateRuntimeFolder);

TEST(OwningWindowTest, DeviceCommandsGoToTheWindowAndFileCommandsDoNot) {
    struct Case {
        std::vector<std::string> words;
        bool toWindow;
    } cases[] = {
        {{"light", "keyboard", "--mode", "8"}, true},
        {{"info", "mouse"}, true},
        {{"devices"}, true},
        {{"key", "keyboard", "5", "1", "2", "3"}, true},
        {{"headset", "mic", "on"}, true},
        {{"macro", "download", "--kind", "keyboard"}, true},
        {{"macro", "list", "--kind", "keyboard"}, false},
        {{"shoot", "download"}, true},
        {{"shoot", "show", "0", "1"}, false},
        {{"update", "check"}, true},
        {{"update", "download", "1"}, false},
        {{"profile", "list", "--kind", "mouse"}, false},
        {{"udev-rules"}, false},
        {{"emulator", "dump"}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandTalksToDevices(c.words), c.toWindow) << (c.words.empty() ? "" : c.words[0]);
    }
}

TEST(OwningWindowTest, RequestTextsGoBothWaysAndBadOnesAreRefused) {
    const OwnerRequest request{{"light", "keyboard", "--colour", "ff\"00\n"}, "/data dir", "/default"};
    const auto back = ParseOwnerRequest(OwnerRequestText(request));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->args, request.args);
    EXPECT_EQ(back->dataDir, request.dataDir);
    EXPECT_EQ(back->defaultData, request.defaultData);
    for (const char* bad : {"", "[]", "{\"args\": [1], \"dataDir\": \"/\", \"defaultData\": \"/\"}",
                            "{\"args\": [], \"dataDir\": \"/\"}", "{\"args\": \"x\", \"dataDir\": \"/\", \"defaultData\": \"/\"}"})
        EXPECT_FALSE(ParseOwnerRequest(bad).has_value()) << bad;
}

// $XDG_RUNTIME_DIR set to a folder for the life of the object, then as it was.
class RuntimeFolder {
public:
    explicit RuntimeFolder(const std::filesystem::path& folder) {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) saved_ = old;
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    ~RuntimeFolder() {
        if (saved_) setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        else unsetenv("XDG_RUNTIME_DIR");
    }

private:
    std::optional<std::string> saved_;
};

// A stand-in for the window on the instance socket of a temporary $XDG_RUNTIME_DIR: it reads
// one request and writes answer (nothing: it closes at once).
class FakeWindow {
public:
    explicit FakeWindow(std::string answer) {
        const std::string path = InstanceSocketPath().string();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        bound_ = ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                 ::listen(listener_, 1) == 0;
        thread_ = std::thread([this, answer] {
            const int connection = ::accept(listener_, nullptr, nullptr);
            if (connection < 0) return;
            char buffer[4096];
            const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
            if (n > 0) request.assign(buffer, static_cast<size_t>(n));
            if (!answer.empty()) (void)!::send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
            ::close(connection);
        });
    }
    ~FakeWindow() {
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }
    bool Bound() const { return bound_; }

    test::TempFolder folder;
    RuntimeFolder runtime{folder.Path()};
    std::string request;

private:
    int listener_ = -1;
    bool bound_ = false;
    std::thread thread_;
};

TEST(OwningWindowTest, TheWindowsAnswerIsMorvekctlsOutputAndStatus) {
    const std::string body = OwnerAnswerText(3, "done\n", "morvekctl: partly\n");
    FakeWindow window(std::to_string(body.size()) + "\n" + body);
    ASSERT_TRUE(window.Bound());
    std::ostringstream out, err;
    const auto status = RunInOwningWindow({{"info", "keyboard"}, "/d", "/dd"}, out, err);
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 3);
    EXPECT_EQ(out.str(), "done\n");
    EXPECT_EQ(err.str(), "morvekctl: partly\n");
    ASSERT_TRUE(window.request.starts_with("run ")) << window.request;
    const auto request = ParseOwnerRequest(window.request.substr(window.request.find('\n') + 1));
    ASSERT_TRUE(request.has_value()) << window.request;
    EXPECT_EQ(request->args, (std::vector<std::string>{"info", "keyboard"}));
}

TEST(OwningWindowTest, AWindowThatGivesNoAnswerEndsTheCommandWithAMessage) {
    for (const std::string& answer : {std::string(), std::string("12\n{\"exit\": 0"), std::string("2\n[]")}) {
        FakeWindow window(answer);
        ASSERT_TRUE(window.Bound());
        std::ostringstream out, err;
        const auto status = RunInOwningWindow({{"info", "keyboard"}, "/d", "/dd"}, out, err, 5000);
        ASSERT_TRUE(status.has_value()) << answer;
        EXPECT_EQ(*status, 1);
        EXPECT_NE(err.str().find("took the command but gave no answer"), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

TEST(OwningWindowTest, WithNoWindowListeningMorvekctlRunsTheCommandItself) {
    test::TempFolder folder;
    RuntimeFolder runtime(folder.Path());
    std::ostringstream out, err;
    EXPECT_FALSE(RunInOwningWindow({{"info", "keyboard"}, "/d", "/dd"}, out, err).has_value());
    // A socket a crashed window left behind: nobody listens on it.
    {
        const std::string path = InstanceSocketPath().string();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(::bind(left, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(left);
    }
    EXPECT_FALSE(RunInOwningWindow({{"info", "keyboard"}, "/d", "/dd"}, out, err).has_value());
    EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace morvek::cli
