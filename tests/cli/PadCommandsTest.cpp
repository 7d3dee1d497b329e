// The mouse pad's model commands and `sync` end to end against the emulated devices: each call
// builds its models afresh, and the emulator state file carries the memories between calls.

#include <gtest/gtest.h>
#include <json/json.h>

#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::cli {
namespace {

using test::CliRun;

struct PadCli {
    test::TempFolder root;
    std::string state = (root / "state.json").string();

    // The mouse is attached too: it has the pad's interface numbers, and each still finds its own.
    CliRun Run(std::vector<std::string> args) const {
        std::vector<std::string> full = {"--data-dir",     (root / "data").string(), "--default-data",
                                         test::SourceDataDir(), "--emulate", "keyboard,mouse,pad",
                                         "--emulator-state", state};
        full.insert(full.end(), args.begin(), args.end());
        return test::RunCli(full);
    }
    // Parameter memory bytes of an emulated device.
    std::string Params(const std::string& kind, size_t offset, size_t length) const {
        const CliRun r = Run({"emulator", "dump", kind});
        EXPECT_EQ(r.status, 0) << r.err;
        return test::ParseJson(r.out)[kind]["params"].asString().substr(offset * 2, length * 2);
    }
    Json::Value LightInfo(const std::string& folder) const {
        const Json::Value list = test::ReadJson(root / "data" / folder / "ProfileList.ini");
        const std::string uuid = list["profilelist"][list["profileselect"].asUInt()]["profileUUID"].asString();
        return test::ReadJson(root / "data" / folder / (uuid + ".Json"))["Device"][0]["LightInfo"];
    }
};

TEST(PadCommandsTest, LightChangeIsSavedAndWrittenWithThePadsDirection) {
    const PadCli cli;
    const CliRun r = cli.Run({"light", "pad", "--mode", "4", "--speed", "1", "--direction", "1", "--colour", "102030"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("write settings: done"), std::string::npos) << r.out;

    const Json::Value info = cli.LightInfo("MousePad");
    EXPECT_EQ(info["SelectItem"].asInt(), 4);
    EXPECT_EQ(info["Speed"].asInt(), 1);
    EXPECT_EQ(info["Fx"].asInt(), 1);
    EXPECT_EQ(info["Red"].asInt(), 0x10);
    EXPECT_FALSE(info["MultiColor"].asBool());
    // Block 0: mode 4, the template's brightness 4, speed level 1 as 3, the pad's direction 0,
    // no random colour, the colour.
    EXPECT_EQ(cli.Params("pad", 1, 8), "0404030000102030");

    // A mode past the pad's list is kept in the profile and goes out as 0.
    ASSERT_EQ(cli.Run({"light", "pad", "--mode", "12"}).status, 0);
    EXPECT_EQ(cli.LightInfo("MousePad")["SelectItem"].asInt(), 12);
    EXPECT_EQ(cli.Params("pad", 1, 1), "00");
}

TEST(PadCommandsTest, ReadProfileShowsTheBlockInUse) {
    const PadCli cli;
    ASSERT_EQ(cli.Run({"light", "pad", "--mode", "3", "--speed", "0"}).status, 0);
    const CliRun r = cli.Run({"--json", "read-profile", "pad"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json::Value v = test::ParseJson(r.out);
    EXPECT_EQ(v["blockInUse"].asInt(), 0);
    EXPECT_EQ(v["block"].asString().substr(0, 8), "00030400");  // speed shown as the level again
}

TEST(PadCommandsTest, ApplyWritesTheSelectedProfilesBlock) {
    const PadCli cli;
    ASSERT_EQ(cli.Run({"light", "pad", "--mode", "7"}).status, 0);
    ASSERT_EQ(cli.Run({"profile", "add", "--kind", "pad"}).status, 0);  // a new profile, selected
    const CliRun r = cli.Run({"apply", "pad"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("write settings: done"), std::string::npos) << r.out;
    EXPECT_EQ(cli.Params("pad", 1, 1), "00");  // the template's mode 0
}

TEST(PadCommandsTest, SyncGivesEveryDeviceTheCommonLight) {
    const PadCli cli;
    ASSERT_EQ(cli.Run({"light", "pad", "--mode", "2", "--colour", "ff0000", "--brightness", "3"}).status, 0);
    const CliRun r = cli.Run({"sync", "pad"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("common light: breathing"), std::string::npos) << r.out;

    const Json::Value keyboard = cli.LightInfo("keyboard");
    EXPECT_EQ(keyboard["SelectItem"].asInt(), 8);
    EXPECT_EQ(keyboard["Light"].asInt(), 3);
    EXPECT_EQ(keyboard["Red"].asInt(), 255);
    EXPECT_EQ(cli.Params("keyboard", 1, 1), "08");  // written to the keyboard's block 0
    EXPECT_EQ(cli.LightInfo("MousePad")["SelectItem"].asInt(), 2);
}

TEST(PadCommandsTest, SyncFromAModeWithoutACommonLightFails) {
    const PadCli cli;
    ASSERT_EQ(cli.Run({"light", "pad", "--mode", "6"}).status, 0);  // fading wave
    const CliRun r = cli.Run({"sync", "pad"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("has no light the other devices can show"), std::string::npos) << r.err;
}

TEST(PadCommandsTest, WrongCommandLinesAreRefused) {
    const PadCli cli;
    test::ExpectUsageErrors(
        {
            {"light", "pad"},
            {"light", "pad", "--mode", "256"},
            {"light", "pad", "--speed", "5"},
            {"light", "pad", "--colour", "12345g"},
            {"light", "pad", "--brightness"},
            {"apply", "pad", "extra"},
            {"read-profile", "pad", "extra"},
            {"sync"},
            {"sync", "lamp"},
            {"sync", "pad", "keyboard"},
        },
        [&](const std::vector<std::string>& args) { return cli.Run(args); });
}

}  // namespace
}  // namespace morvek::cli
