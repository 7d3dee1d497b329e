// The headset's commands end to end: the emulated headset, the built libosConfLib.so beside
// the test program, and its kept values in the data folder.

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

struct HeadsetCli {
    test::TempFolder root;
    std::string state = (root / "state.json").string();

    CliRun Run(std::vector<std::string> args) const {
        std::vector<std::string> full = {"--data-dir", (root / "data").string(), "--default-data",
                                         test::SourceDataDir(), "--emulate", "headset", "--emulator-state", state};
        full.insert(full.end(), args.begin(), args.end());
        return test::RunCli(full);
    }
    Json::Value Library() const { return test::ReadJson(root / "data" / "osConfLib.json"); }
    Json::Value Words() const {
        const Json::Value list = test::ReadJson(root / "data" / "HD" / "ProfileList.ini");
        const std::string uuid = list["profilelist"][list["profileselect"].asUInt()]["profileUUID"].asString();
        return test::ReadJson(root / "data" / "HD" / (uuid + ".Json"))["Device"][0]["SystemSetStages"];
    }
};

TEST(HeadsetCommandsTest, APresetGoesThroughTheLibraryAndIntoTheProfile) {
    const HeadsetCli cli;
    const CliRun r = cli.Run({"headset", "eq", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("preset 3"), std::string::npos) << r.out;
    const Json::Value library = cli.Library();
    EXPECT_EQ(library["playback"]["Enable_EQ_GFX"].asInt(), 1);
    EXPECT_EQ(library["playback"]["EQ_Slider1"].asInt(), 10);
    EXPECT_EQ(library["playback"]["EQ_Slider4"].asInt(), -3);
    EXPECT_EQ(cli.Words()["EqType"].asInt(), 3);
}

TEST(HeadsetCommandsTest, LevelsSwitchesAndTheVoiceChanger) {
    const HeadsetCli cli;
    ASSERT_EQ(cli.Run({"headset", "mic", "35"}).status, 0);
    ASSERT_EQ(cli.Run({"headset", "mic", "off"}).status, 0);
    ASSERT_EQ(cli.Run({"headset", "monitor", "on"}).status, 0);
    const CliRun voice = cli.Run({"--json", "headset", "voice", "on"});
    ASSERT_EQ(voice.status, 0) << voice.err;
    const Json::Value shown = test::ParseJson(voice.out);
    EXPECT_EQ(shown["microphone"].asString(), "off");
    EXPECT_EQ(shown["microphoneLevel"].asInt(), 35) << "read back from the library by a new run";
    EXPECT_EQ(shown["monitor"].asString(), "on");
    const Json::Value recording = cli.Library()["recording"];
    EXPECT_DOUBLE_EQ(recording["VolumeScalarControl"].asDouble(), double(0.35f));
    EXPECT_EQ(recording["MuteControl"].asInt(), 1);
    EXPECT_EQ(recording["AAMuteControl"].asInt(), 0);
    EXPECT_EQ(recording["Enable_MAGICVOICE"].asInt(), 1);
    EXPECT_EQ(recording["Enable_MICECHO"].asInt(), 0);
    EXPECT_EQ(cli.Words()["MagicEnable"].asInt(), 1);
}

TEST(HeadsetCommandsTest, SurroundSettingsReachTheLibraryAndAreReadBack) {
    const HeadsetCli cli;
    ASSERT_EQ(cli.Run({"headset", "surround", "on"}).status, 0);
    ASSERT_EQ(cli.Run({"headset", "room", "on"}).status, 0);
    ASSERT_EQ(cli.Run({"headset", "environment", "4"}).status, 0);
    const CliRun size = cli.Run({"--json", "headset", "room-size", "65"});
    ASSERT_EQ(size.status, 0) << size.err;
    const Json::Value shown = test::ParseJson(size.out);
    EXPECT_EQ(shown["surround"].asString(), "on") << "read back from the library by a new run";
    EXPECT_EQ(shown["room"].asString(), "on");
    EXPECT_EQ(shown["environment"].asInt(), 4);
    EXPECT_EQ(shown["roomSize"].asInt(), 65);
    const Json::Value playback = cli.Library()["playback"];
    EXPECT_EQ(playback["VirtualSurroundEffectControl"].asInt(), 1);
    EXPECT_EQ(playback["Enable_RFX_GFX"].asInt(), 1);
    EXPECT_EQ(playback["RFX_ENVIRONMENT"].asInt(), 4);
    EXPECT_EQ(playback["RFX_ROOMSIZE"].asInt(), 65);
}

TEST(HeadsetCommandsTest, UserEqualisersAreSavedUnderUniqueNamesAndDeleted) {
    const HeadsetCli cli;
    ASSERT_EQ(cli.Run({"headset", "eq-save", "Bass", "9", "6", "3", "0", "0", "0", "0", "0", "0", "0"}).status, 0);
    const CliRun taken = cli.Run({"headset", "eq-save", "bass"});
    EXPECT_EQ(taken.status, 1);
    EXPECT_NE(taken.err.find("already has this name"), std::string::npos) << taken.err;
    ASSERT_EQ(cli.Run({"headset", "eq", "13"}).status, 0);
    EXPECT_EQ(cli.Library()["playback"]["EQ_Slider2"].asInt(), 6);
    ASSERT_EQ(cli.Run({"headset", "eq-delete"}).status, 0);
    EXPECT_EQ(cli.Words()["EqType"].asInt(), 1);
    EXPECT_EQ(cli.Run({"headset", "eq-delete"}).status, 1) << "none left to delete";
}

TEST(HeadsetCommandsTest, WrongCommandLinesAreRefused) {
    const HeadsetCli cli;
    test::ExpectUsageErrors({{"headset"},
                             {"headset", "eq"},
                             {"headset", "eq", "14"},
                             {"headset", "band", "0", "3"},
                             {"headset", "band", "3", "21"},
                             {"headset", "mic", "101"},
                             {"headset", "voice", "5"},
                             {"headset", "voice", "0"},
                             {"headset", "eq-save", "x", "1", "2"},
                             {"headset", "surround", "1"},
                             {"headset", "environment", "6"},
                             {"headset", "room-size", "101"},
                             {"headset", "loud"}},
                            [&](const std::vector<std::string>& args) { return cli.Run(args); });
}

TEST(HeadsetCommandsTest, LightHeadIsWrittenAndReadBack) {
    const HeadsetCli cli;
    const CliRun light = cli.Run({"light", "headset", "--mode", "6", "--speed", "1", "--colour", "102030"});
    ASSERT_EQ(light.status, 0) << light.err;
    const Json::Value dump = test::ParseJson(cli.Run({"emulator", "dump", "headset"}).out)["headset"];
    EXPECT_EQ(dump["params"].asString().substr(2, 16), "0604030000102030") << "speed level 1 is sent as 3";
    EXPECT_EQ(cli.Run({"light", "headset", "--mode", "9"}).status, 2);
    const CliRun apply = cli.Run({"apply", "headset"});
    ASSERT_EQ(apply.status, 0) << apply.err;
    EXPECT_NE(apply.out.find("write settings: done"), std::string::npos) << apply.out;
    const CliRun read = cli.Run({"--json", "read-profile", "headset"});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(test::ParseJson(read.out)["activeProfile"].asInt(), 0);
    EXPECT_EQ(test::ParseJson(read.out)["head"][1].asInt(), 6);
}

}  // namespace
}  // namespace morvek::cli
