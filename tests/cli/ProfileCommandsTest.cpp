#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>
#include <sstream>

#include "cli/CliRun.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

using test::CliRun;
using test::ReadJson;
constexpr auto Parse = test::ParseJson;

// A data folder and a DefaultData folder with a small template per kind.
struct ProfileCli {
    test::TempFolder root;

    ProfileCli() {
        std::filesystem::create_directories(root / "DefaultData");
        for (const char* kind : {"keyboard", "mouse", "MousePad", "HD"}) {
            std::ofstream(root / "DefaultData" / (std::string(kind) + ".Json"))
                << R"({"profilename": "t", "profileUUID": "t", "kind": ")" << kind
                << R"(", "Device": [{"LightInfo": {"Red": 1}}]})";
        }
    }

    CliRun Run(std::vector<std::string> args) const { return test::RunCliIn(root.Path(), std::move(args)); }
    std::filesystem::path Folder(const std::string& name) const { return root / "data" / name; }
};

TEST(ProfileCommandsTest, ListOnFirstUseCreatesProfile1InTheKindsFolder) {
    const ProfileCli cli;
    struct Case {
        const char* word;
        const char* folder;
    } cases[] = {{"keyboard", "keyboard"}, {"mouse", "mouse"}, {"pad", "MousePad"}, {"headset", "HD"}};
    for (const Case& c : cases) {
        const CliRun r = cli.Run({"profile", "list", "--kind", c.word});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "* 0  profile1\n");
        const Json::Value list = ReadJson(cli.Folder(c.folder) / "ProfileList.ini");
        ASSERT_EQ(list["profilelist"].size(), 1u) << c.folder;
        const std::string uuid = list["profilelist"][0]["profileUUID"].asString();
        const Json::Value document = ReadJson(cli.Folder(c.folder) / (uuid + ".Json"));
        EXPECT_EQ(document["kind"].asString(), c.folder);
        EXPECT_EQ(document["profilename"].asString(), "profile1");
    }
}

TEST(ProfileCommandsTest, ListOperationsChangeTheFilesAsTheWindowWould) {
    const ProfileCli cli;
    auto ok = [&](std::vector<std::string> args, const std::string& expected) {
        const CliRun r = cli.Run(args);
        EXPECT_EQ(r.status, 0) << args[1] << ": " << r.err;
        EXPECT_EQ(r.out, expected) << args[1];
    };
    ok({"profile", "add", "--kind", "keyboard"}, "added \"profile2\"\n");
    ok({"profile", "list", "--kind", "keyboard"}, "  0  profile1\n* 1  profile2\n");
    ok({"profile", "select", "0", "--kind", "keyboard"}, "selected 0 \"profile1\"\n");
    ok({"profile", "rename", "Games", "--kind", "keyboard"}, "renamed \"profile1\" to \"Games\"\n");
    ok({"profile", "copy", "--kind", "keyboard"}, "copied \"Games\" to \"Games copy\"\n");
    ok({"profile", "copy", "--kind", "keyboard"}, "copied \"Games\" to \"Games copy copy\"\n");
    ok({"profile", "add", "--kind", "keyboard"}, "added \"profile1\"\n");
    // The added profile is the stored selection: the next command acts on it.
    ok({"profile", "reset", "--kind", "keyboard"}, "reset \"profile1\" to the defaults\n");
    ok({"profile", "list", "--kind", "keyboard"},
       "  0  Games\n  1  profile2\n  2  Games copy\n  3  Games copy copy\n* 4  profile1\n");
    ok({"profile", "delete", "--kind", "keyboard"}, "deleted \"profile1\"; \"Games copy copy\" is selected\n");

    const CliRun r = cli.Run({"--json", "profile", "list", "--kind", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json::Value v = Parse(r.out);
    EXPECT_EQ(v["kind"].asString(), "keyboard");
    EXPECT_EQ(v["selected"].asInt(), 3);
    ASSERT_EQ(v["profiles"].size(), 4u);
    EXPECT_EQ(v["profiles"][3]["name"].asString(), "Games copy copy");
    EXPECT_TRUE(v["profiles"][3]["selected"].asBool());
    EXPECT_FALSE(v["profiles"][0]["selected"].asBool());
    const std::string uuid = v["profiles"][0]["uuid"].asString();
    const Json::Value games = ReadJson(cli.Folder("keyboard") / (uuid + ".Json"));
    EXPECT_EQ(games["profilename"].asString(), "Games");
    EXPECT_EQ(games["kind"].asString(), "keyboard");
    // Four documents and the list.
    size_t files = 0;
    for ([[maybe_unused]] const auto& f : std::filesystem::directory_iterator(cli.Folder("keyboard"))) ++files;
    EXPECT_EQ(files, 5u);
}

TEST(ProfileCommandsTest, RefusedOperationsExitWithOneAndSayWhy) {
    const ProfileCli cli;
    ASSERT_EQ(cli.Run({"profile", "add", "--kind", "mouse"}).status, 0);
    struct Case {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"profile", "rename", "profile1", "--kind", "mouse"}, "Another profile already has this name."},
        {{"profile", "rename", "PROFILE1", "--kind", "mouse"}, "Another profile already has this name."},
        {{"profile", "rename", "", "--kind", "mouse"}, "The profile name cannot be empty."},
        {{"profile", "rename", "my games", "--kind", "mouse"}, "The profile name cannot contain spaces."},
        {{"profile", "select", "2", "--kind", "mouse"}, "there is no profile 2 (the list holds 2)"},
        {{"profile", "import", (cli.root / "missing.json").string(), "--kind", "mouse"},
         "is not a profile document"},
        {{"profile", "delete", "--kind", "pad"}, "the last profile cannot be deleted"},
    };
    for (const Case& c : cases) {
        const CliRun r = cli.Run(c.args);
        EXPECT_EQ(r.status, 1) << c.args[2];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(cli.Run({"profile", "list", "--kind", "mouse"}).out, "  0  profile1\n* 1  profile2\n");

    // A data folder that cannot be made.
    std::ofstream(cli.root / "data-file") << "x";
    std::ostringstream out, err;
    const int status = RunMorvekctl({"--data-dir", (cli.root / "data-file").string(), "--default-data",
                                     (cli.root / "DefaultData").string(), "profile", "list", "--kind", "keyboard"},
                                    out, err);
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.str().find("cannot write the profile files in"), std::string::npos) << err.str();
}

TEST(ProfileCommandsTest, ExportThenImportAddsANumberedCopy) {
    const ProfileCli cli;
    const std::string file = (cli.root / "exported.json").string();
    CliRun r = cli.Run({"profile", "export", file, "--kind", "headset"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "exported \"profile1\" to " + file + "\n");
    EXPECT_EQ(ReadJson(file)["kind"].asString(), "HD");

    r = cli.Run({"profile", "import", file, "--kind", "headset"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "imported " + file + " as \"profile1(1)\"\n");
    r = cli.Run({"profile", "import", file, "--kind", "headset"});
    EXPECT_EQ(r.out, "imported " + file + " as \"profile1(1)(2)\"\n");
    EXPECT_EQ(cli.Run({"profile", "list", "--kind", "headset"}).out,
              "* 0  profile1\n  1  profile1(1)\n  2  profile1(1)(2)\n");
}

TEST(ProfileCommandsTest, WrongCommandLinesExitWithTwo) {
    const ProfileCli cli;
    const std::vector<std::vector<std::string>> cases = {
        {"profile"},
        {"profile", "list"},
        {"profile", "list", "--kind"},
        {"profile", "list", "--kind", "toaster"},
        {"profile", "shuffle", "--kind", "keyboard"},
        {"profile", "rename", "--kind", "keyboard"},
        {"profile", "add", "extra", "--kind", "keyboard"},
        {"profile", "select", "first", "--kind", "keyboard"},
        {"profile", "list", "--kind", "keyboard", "--colour"},
    };
    for (const auto& args : cases) {
        const CliRun r = cli.Run(args);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(args);
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(cli.root / "data")) << "nothing is created for a wrong command line";
}

}  // namespace
}  // namespace morvek::cli
