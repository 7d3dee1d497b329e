#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>
#include <sstream>

#include "cli/CliRun.h"
#include "emulator/HexText.h"
#include "macros/ShootFile.h"
#include "macros/ShootImage.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

using test::CliRun;
using test::ReadJson;
using test::ReadText;

// A data folder and a DefaultData folder whose gun n pattern has 2 bullets moving n + 1 right.
struct ShootCli {
    test::TempFolder root;

    ShootCli() {
        std::filesystem::create_directories(root / "DefaultData");
        for (int gun = 0; gun < ShootFile::kGunCount; ++gun) {
            Json::Value document(Json::objectValue);
            for (int b = 0; b < 2; ++b) ShootFile::WriteBullet(document, b, {gun + 1, 4, 30, false, false});
            std::ofstream(Default(gun)) << Json::StyledWriter().write(document);
        }
    }

    CliRun Run(std::vector<std::string> args) const { return test::RunCliIn(root.Path(), std::move(args)); }
    std::filesystem::path User(int gun) const { return ShootFile::PathIn(root / "data" / "mouse", gun); }
    std::filesystem::path Default(int gun) const { return ShootFile::PathIn(root / "DefaultData", gun); }
};

TEST(ShootCommandsTest, ShowSetResetImportExport) {
    const ShootCli cli;
    struct Case {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        // First use: every gun gets its default pattern.
        {{"shoot", "show", "2", "1"}, "gun 2 bullet 1: x 3 right, y 4 down, delay 30 ms\n"},
        {{"shoot", "set", "0", "0", "3", "12", "60", "--right", "--down"},
         "gun 0 bullet 0: x 3 right, y 12 down, delay 60 ms\n"},
        // Directions not given stay as they are.
        {{"shoot", "set", "1", "0", "5", "6", "7", "--left"}, "gun 1 bullet 0: x 5 left, y 6 down, delay 7 ms\n"},
        {{"shoot", "set", "1", "0", "8", "9", "10", "--up"}, "gun 1 bullet 0: x 8 left, y 9 up, delay 10 ms\n"},
        {{"shoot", "set", "3", "10", "255", "0", "65535"}, "gun 3 bullet 10: x 255 right, y 0 down, delay 65535 ms\n"},
        {{"shoot", "show", "3", "10"}, "gun 3 bullet 10: x 255 right, y 0 down, delay 65535 ms\n"},
        {{"shoot", "show", "3", "5"}, "gun 3 bullet 5: x 0 right, y 0 down, delay 0 ms\n"},
    };
    for (const Case& c : cases) {
        const CliRun r = cli.Run(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[1] << " " << c.args[2];
    }
    const Json::Value gun0 = ReadJson(cli.User(0));
    EXPECT_EQ(gun0["Events"][2], ShootFile::BulletEvents({3, 12, 60, false, false})[2]);
    EXPECT_EQ(gun0["Events"][3], ShootFile::BulletEvents({3, 12, 60, false, false})[3]);
    EXPECT_EQ(ReadText(cli.User(0)), Json::StyledWriter().write(gun0));
    const Json::Value gun3 = ReadJson(cli.User(3));
    ASSERT_EQ(gun3["Events"].size(), 66u);
    EXPECT_TRUE(gun3["Events"][12].isNull());
    EXPECT_EQ(ReadText(cli.User(2)), ReadText(cli.Default(2)));

    CliRun r = cli.Run({"shoot", "reset", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "gun 0 has its default pattern again\n");
    EXPECT_EQ(ReadText(cli.User(0)), ReadText(cli.Default(0)));
    EXPECT_NE(ReadText(cli.User(1)), ReadText(cli.Default(1)));

    const std::string exported = (cli.root / "gun1.shoot").string();
    r = cli.Run({"shoot", "export", "1", exported});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(exported), ReadText(cli.User(1)));
    r = cli.Run({"shoot", "import", "2", exported});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "imported " + exported + " as the pattern of gun 2\n");
    EXPECT_EQ(cli.Run({"shoot", "show", "2", "0"}).out, "gun 2 bullet 0: x 8 left, y 9 up, delay 10 ms\n");

    std::ofstream(cli.root / "bad.shoot") << "[1, 2]";
    r = cli.Run({"shoot", "import", "2", (cli.root / "bad.shoot").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is not a shoot pattern"), std::string::npos) << r.err;
    EXPECT_EQ(cli.Run({"shoot", "show", "2", "0"}).out, "gun 2 bullet 0: x 8 left, y 9 up, delay 10 ms\n");
}

TEST(ShootCommandsTest, DownloadSendsTheFourPatterns) {
    const ShootCli cli;
    const std::string state = (cli.root / "state.json").string();
    for (const char* mouse : {"mouse", "wireless-mouse"}) {
        CliRun r = cli.Run({"--emulate", mouse, "--emulator-state", state, "shoot", "download"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "downloaded the shoot patterns\n");
        r = cli.Run({"--emulate", mouse, "--emulator-state", state, "emulator", "dump", "mouse"});
        Json::Value dump;
        std::istringstream in(r.out);
        Json::CharReaderBuilder builder;
        std::string errors;
        ASSERT_TRUE(Json::parseFromStream(builder, in, &dump, &errors)) << errors;
        const auto image = BuildShootImage(cli.root / "data" / "mouse");
        ASSERT_EQ(image.size(), 40u + 4 * 4 * 12);
        EXPECT_EQ(dump["mouse"]["shoot"].asString(), emulator::ToHex(image)) << mouse;
        std::filesystem::remove(state);
    }
    const CliRun r = cli.Run({"--emulate", "keyboard", "shoot", "download"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: no mouse is attached\n");
}

TEST(ShootCommandsTest, WrongCommandLinesExitWithTwo) {
    const ShootCli cli;
    const std::vector<std::vector<std::string>> cases = {
        {"shoot"},
        {"shoot", "aim"},
        {"shoot", "show", "0"},
        {"shoot", "show", "4", "0"},
        {"shoot", "show", "0", "30"},
        {"shoot", "show", "-1", "0"},
        {"shoot", "set", "0", "0", "256", "0", "0"},
        {"shoot", "set", "0", "0", "0", "0", "65536"},
        {"shoot", "set", "0", "0", "1", "1", "x"},
        {"shoot", "set", "0", "0", "1", "1", "1", "--left", "--right"},
        {"shoot", "set", "0", "0", "1", "1", "1", "--up", "--down"},
        {"shoot", "show", "0", "0", "--left"},
        {"shoot", "reset"},
        {"shoot", "import", "0"},
        {"shoot", "download", "now"},
    };
    test::ExpectUsageErrors(cases, [&](const auto& args) { return cli.Run(args); });
    EXPECT_FALSE(std::filesystem::exists(cli.root / "data"));
}

}  // namespace
}  // namespace morvek::cli
