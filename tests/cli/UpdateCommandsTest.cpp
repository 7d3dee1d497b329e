// morvekctl update check and update download against a local HTTPS update service, with an
// emulated keyboard.
#include <gtest/gtest.h>
#include <json/json.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "cli/UpdateCommands.h"
#include "support/TempFolder.h"
#include "support/UpdateTestServer.h"
#include "update/UpdateQuery.h"

namespace morvek::cli {
namespace {

using test::CliRun;
using test::UpdateTestServer;

constexpr const char* kKeyboardKey = "MORVEK_1_MVKKB_K764E_1";

class UpdateCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.IsRunning()) << "python3 and openssl are needed (scripts/setup.sh)";
        ::setenv(update::kAuthorityFileVariable, server.AuthorityFile().c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv(update::kAuthorityFileVariable);
        ::unsetenv("XDG_CACHE_HOME");
    }
    CliRun Run(std::vector<std::string> args, const std::string& endpoint) const {
        std::vector<std::string> full = {"--data-dir", (root / "data").string(), "--emulate", "keyboard", "update"};
        full.insert(full.end(), args.begin(), args.end());
        full.insert(full.end(), {"--endpoint", endpoint});
        return test::RunCli(full);
    }
    // The service offers keyboard firmware 0x0300 as a file of content.
    void OfferKeyboard(const std::string& content, const std::string& sha256) {
        Json::Value answer;
        answer["version"] = "300";
        answer["version_name"] = "3.00";
        answer["path"] = server.AddFile("keyboard.bin", content);
        answer["sha256"] = sha256;
        server.SetAnswer(kKeyboardKey, answer);
    }

    UpdateTestServer server;
    test::TempFolder root;
};

TEST_F(UpdateCommandsTest, CheckPrintsOneLinePerProduct) {
    OfferKeyboard("firmware", test::Sha256Hex("firmware"));
    const CliRun r = Run({"check"}, server.Endpoint());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("0  Morvek gaming keyboard  V0105  V300  update available\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1  AP  0.1.0  -  up to date\n"), std::string::npos) << r.out;
}

TEST_F(UpdateCommandsTest, CheckAsJson) {
    OfferKeyboard("firmware", test::Sha256Hex("firmware"));
    const CliRun r = Run({"check", "--json"}, server.Endpoint());
    ASSERT_EQ(r.status, 0) << r.err;
    const Json::Value rows = test::ParseJson(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]["name"].asString(), "Morvek gaming keyboard");
    EXPECT_EQ(rows[0]["current"].asString(), "V0105");
    EXPECT_EQ(rows[0]["offered"].asString(), "V300");
    EXPECT_EQ(rows[0]["state"].asString(), "update available");
    EXPECT_EQ(rows[1]["state"].asString(), "up to date");
    EXPECT_EQ(rows[1]["offered"].asString(), "");
}

// A check that did not learn anything fails: no service reached (the rows say "not reached",
// never "up to date"), or a service that answered no product with a version.
TEST_F(UpdateCommandsTest, CheckThatLearnsNothingFails) {
    const struct {
        const char* what;
        std::string endpoint;
        const char* error;
        const char* keyboardRow;
    } cases[] = {
        {"no service", "https://127.0.0.1:1/", "cannot be reached", "Morvek gaming keyboard  V0105  -  not reached\n"},
        {"no answers", server.Endpoint(), "with no version for any product",
         "Morvek gaming keyboard  V0105  -  up to date\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun r = Run({"check"}, c.endpoint);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_NE(r.out.find(c.keyboardRow), std::string::npos) << r.out;
    }
    const CliRun json = Run({"check", "--json"}, "https://127.0.0.1:1/");
    EXPECT_EQ(json.status, 1);
    const Json::Value rows = test::ParseJson(json.out);
    ASSERT_EQ(rows.size(), 2u);
    for (const Json::Value& row : rows) EXPECT_EQ(row["state"].asString(), "not reached");
}

TEST_F(UpdateCommandsTest, DownloadStoresTheVerifiedFileInTheCacheFolder) {
    const std::string content(100000, 'k');
    OfferKeyboard(content, test::Sha256Hex(content));
    const CliRun r = Run({"download", "0"}, server.Endpoint());
    ASSERT_EQ(r.status, 0) << r.err;
    const auto file = root / "cache" / "Morvek gaming keyboard" / "UpdateData" / "Morvek gaming keyboard.bin";
    EXPECT_EQ(test::ReadText(file), content);
    EXPECT_NE(r.out.find(file.string()), std::string::npos) << r.out;
}

TEST_F(UpdateCommandsTest, DownloadThatIsNotOfferedOrNotVerifiedFails) {
    OfferKeyboard("firmware", test::Sha256Hex("other"));
    CliRun r = Run({"download", "0"}, server.Endpoint());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("SHA-256"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(root / "cache" / "Morvek gaming keyboard" / "UpdateData"
                                         / "Morvek gaming keyboard.bin"));
    r = Run({"download", "1"}, server.Endpoint());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("AP has no update"), std::string::npos) << r.err;
    r = Run({"download", "5"}, server.Endpoint());
    EXPECT_EQ(r.status, 1);
}

TEST_F(UpdateCommandsTest, WrongCommandLinesExitWithTwo) {
    test::ExpectUsageErrors({{}, {"fetch"}, {"check", "extra"}, {"download"}, {"download", "x"}, {"check", "--bogus"}},
                            [&](const std::vector<std::string>& args) { return Run(args, server.Endpoint()); });
    const CliRun r = test::RunCli({"update", "check", "--endpoint"});
    EXPECT_EQ(r.status, 2);
}

TEST(UpdateProgressBarTest, BarFillsWithThePercent) {
    EXPECT_EQ(ProgressBarLine(2097152, 1048576, 10), "[#####-----]  50%  1.0/2.0 MiB");
    EXPECT_EQ(ProgressBarLine(100, 100, 4), "[####] 100%  0.0/0.0 MiB");
    EXPECT_EQ(ProgressBarLine(0, 0, 4), "[----]   0%  0.0/0.0 MiB");
}

}  // namespace
}  // namespace morvek::cli
