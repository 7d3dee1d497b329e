// The settings window's update list with its three workers, against the local HTTPS service:
// the check, a confirmed download with its progress, the start through a stand-in opener, and
// closing while a download runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <vector>

#include "profiles/JsonFile.h"
#include "support/TempFolder.h"
#include "support/UpdateTestServer.h"
#include "update/UpdateRequest.h"
#include "update/UpdateSession.h"

namespace morvek::update {
namespace {

using test::UpdateTestServer;

const std::vector<UpdateIdentity> kIdentities = {
    {1, 1, 0x0105, "MORVEK", "MVKPAD", "MP2", "MP2", ""},
    {1, 1, 0x0200, "MORVEK", "MVKKB", "K764E", "Morvek gaming keyboard", ""},
    {0, 1, 10, "MORVEK", "ALL", "APP", "AP", "0.1.0"},
};

// The owner's thread: posted work waits here until the test runs it.
class OwnerQueue {
public:
    void Post(std::function<void()> work) {
        {
            std::lock_guard lock(mutex_);
            queue_.push_back(std::move(work));
        }
        posted_.notify_all();
    }
    // Runs posted work until done() holds; false when it does not within 30 s.
    bool RunUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_until(lock, deadline, [&] { return !queue_.empty(); })) return false;
            auto work = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            work();
        }
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};

class RecordingView final : public IUpdateView {
public:
    explicit RecordingView(const UpdateSession*& session) : session_(session) {}
    void RowsPrepared() override { ++prepared; }
    void RowChanged(size_t row) override {
        if (row == 0) percents.push_back(session_->Model().Row(0).percent);
    }
    void ListChanged() override {}
    void LaunchFailed(size_t row) override { failedLaunches.push_back(row); }

    int prepared = 0;
    std::vector<int> percents;
    std::vector<size_t> failedLaunches;

private:
    const UpdateSession*& session_;
};

class RecordingOpener final : public IUpdateOpener {
public:
    bool OpenWithDesktop(const std::filesystem::path& file) override {
        std::lock_guard lock(mutex);
        opened.push_back(file);
        return true;
    }
    int RunProgram(const std::filesystem::path&) override { return -1; }
    std::mutex mutex;
    std::vector<std::filesystem::path> opened;
};

class UpdateSessionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.IsRunning()) << "python3 and openssl are needed (scripts/setup.sh)"; }

    std::unique_ptr<UpdateSession> NewSession(const std::string& endpoint) {
        UpdateServices services;
        services.endpoint = endpoint;
        services.http.caFile = server.AuthorityFile();
        services.cacheFolder = folder / "cache" / "UpdateData";
        services.scheduleFile = folder / "data" / "updatetime.config";
        services.today = "2026-3-7";
        services.opener = &opener;
        auto session = std::make_unique<UpdateSession>(
            services, [this](std::function<void()> work) { owner.Post(std::move(work)); }, view);
        current = session.get();
        return session;
    }
    // Offers a new firmware for the pad: a package of size bytes.
    std::string OfferPad(size_t size) {
        content = "!<arch>\n" + std::string(size, 'p');
        Json::Value answer;
        answer["version"] = "106";
        answer["version_name"] = "1.06";
        answer["path"] = server.AddFile("mp2.deb", content);
        answer["sha256"] = test::Sha256Hex(content);
        server.SetAnswer(ApplicationKey(kIdentities[0]), answer);
        return answer["path"].asString();
    }
    bool CheckDone() { return current->Model().Status() != UpdateStatus::kChecking; }

    UpdateTestServer server;
    test::TempFolder folder;
    OwnerQueue owner;
    const UpdateSession* current = nullptr;
    RecordingView view{current};
    RecordingOpener opener;
    std::string content;
};

TEST_F(UpdateSessionTest, OfferedUpdateIsDownloadedVerifiedAndHandedToTheOpener) {
    OfferPad(512 * 1024);
    Json::Value upToDate;
    upToDate["version"] = "200";
    server.SetAnswer(ApplicationKey(kIdentities[1]), upToDate);
    auto session = NewSession(server.Endpoint());
    session->Start(kIdentities);
    EXPECT_EQ(view.prepared, 1);
    ASSERT_TRUE(owner.RunUntil([&] { return CheckDone(); }));

    const UpdateListModel& model = session->Model();
    EXPECT_EQ(model.Status(), UpdateStatus::kOffered);
    EXPECT_EQ(model.Row(0).info.state, kRowOffered);
    EXPECT_TRUE(model.Row(0).ticked);
    EXPECT_EQ(model.Row(1).info.state, kRowUpToDate);
    EXPECT_EQ(model.Row(2).info.state, kRowUpToDate);
    EXPECT_TRUE(model.UpdateButtonShown());
    EXPECT_EQ(readjsonFile(folder / "data" / "updatetime.config")["updatelasttime"]["value"].asString(), "2026-3-7");

    session->Confirm();
    ASSERT_TRUE(owner.RunUntil([&] { return model.Row(0).info.state == kRowInstalling && model.CanClose(); }));
    const auto file = folder / "cache" / "UpdateData" / "MP2.deb";
    ASSERT_EQ(opener.opened, std::vector<std::filesystem::path>{file});
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content);
    // Progress arrived in whole percents, ending at 100.
    ASSERT_FALSE(view.percents.empty());
    EXPECT_TRUE(std::is_sorted(view.percents.begin(), view.percents.end()));
    EXPECT_EQ(view.percents.back(), 100);
    EXPECT_LE(view.percents.size(), 110u);
    EXPECT_TRUE(view.failedLaunches.empty());
    EXPECT_TRUE(session->RequestClose());
}

TEST_F(UpdateSessionTest, CloseIsRefusedWhileADownloadRunsAndStopEndsIt) {
    OfferPad(256 * 1024);
    server.Stall("mp2.deb");
    auto session = NewSession(server.Endpoint());
    session->Start(kIdentities);
    ASSERT_TRUE(owner.RunUntil([&] { return CheckDone(); }));
    session->Confirm();
    ASSERT_TRUE(owner.RunUntil([&] { return session->Model().Row(0).percent >= 50; }));
    EXPECT_EQ(session->Model().Row(0).info.state, kRowDownloading);
    EXPECT_FALSE(session->RequestClose());
    session->Stop();
    EXPECT_FALSE(std::filesystem::exists(folder / "cache" / "UpdateData" / "MP2.deb"));
    EXPECT_TRUE(opener.opened.empty());
}

TEST_F(UpdateSessionTest, ServiceWithAnUntrustedCertificateOffersNothing) {
    UpdateTestServer impostor(UpdateTestServer::Certificate::kSelfSigned);
    ASSERT_TRUE(impostor.IsRunning());
    Json::Value answer;
    answer["version"] = "999";
    answer["path"] = impostor.AddFile("mp2.deb", "!<arch>\n");
    impostor.SetAnswer(ApplicationKey(kIdentities[0]), answer);
    auto session = NewSession(impostor.Endpoint());
    session->Start(kIdentities);
    ASSERT_TRUE(owner.RunUntil([&] { return CheckDone(); }));
    EXPECT_EQ(session->Model().Status(), UpdateStatus::kNotReached);
    for (size_t i = 0; i < session->Model().RowCount(); ++i)
        EXPECT_EQ(session->Model().Row(i).info.state, kRowNotReached);
    EXPECT_FALSE(session->Model().UpdateButtonShown());
}

}  // namespace
}  // namespace morvek::update
