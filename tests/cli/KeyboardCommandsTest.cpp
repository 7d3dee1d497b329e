// The keyboard's model commands end to end against the emulated keyboard: each call builds the
// model afresh, and the emulator state file carries the keyboard's memories between calls.

#include <gtest/gtest.h>
#include <json/json.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "emulator/KeyboardMatrix.h"
#include "platform/Trace.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::cli {
namespace {

using test::CliRun;

struct KeyboardCli {
    test::TempFolder root;
    std::string state = (root / "state.json").string();

    // With the shipped DefaultData and the emulated keyboard and pad.
    CliRun Run(std::vector<std::string> args) const {
        std::vector<std::string> full = {"--data-dir",     (root / "data").string(), "--default-data",
                                         test::SourceDataDir(), "--emulate", "keyboard,pad",
                                         "--emulator-state", state};
        full.insert(full.end(), args.begin(), args.end());
        return test::RunCli(full);
    }
    Json::Value Dump() const {
        const CliRun r = Run({"emulator", "dump", "keyboard"});
        EXPECT_EQ(r.status, 0) << r.err;
        return test::ParseJson(r.out)["keyboard"];
    }
    // The "Device"[0] section of the selected keyboard profile.
    Json::Value ProfileSection() const {
        const Json::Value list = test::ReadJson(root / "data" / "keyboard" / "ProfileList.ini");
        const std::string uuid = list["profilelist"][list["profileselect"].asUInt()]["profileUUID"].asString();
        return test::ReadJson(root / "data" / "keyboard" / (uuid + ".Json"))["Device"][0];
    }
};

// The hex of the emulated keyboard's key table slot holding a matrix key.
std::string SlotHex(const Json::Value& dump, int key) {
    const auto& slots = emulator::SlotMatrixIndex();
    const size_t slot = size_t(std::find(slots.begin(), slots.end(), key) - slots.begin());
    return dump["keyTable"].asString().substr(slot * 6, 6);
}

TEST(KeyboardCommandsTest, LightChangeIsSavedAndWrittenAsBlockZero) {
    const KeyboardCli cli;
    CliRun r = cli.Run({"light", "keyboard", "--mode", "8", "--colour", "ff0000"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("write settings: done"), std::string::npos) << r.out;

    // The template's brightness 4 and speed 3 (byte 1) stay; the colour clears random colours.
    EXPECT_EQ(cli.Dump()["params"].asString().substr(0, 50),
              "00" "08" "04" "01" "00" "00" "ff0000" + std::string(32, '0'));
    const Json::Value light = cli.ProfileSection()["LightInfo"];
    EXPECT_EQ(light["SelectItem"].asInt(), 8);
    EXPECT_EQ(light["Red"].asInt(), 255);
    EXPECT_EQ(light["MultiColor"].asInt(), 0);

    // A host-only mode is kept in the profile but written as mode 0; speed 1 is byte 3.
    r = cli.Run({"light", "keyboard", "--mode", "30", "--speed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli.Dump()["params"].asString().substr(2, 6), "000403");
    EXPECT_EQ(cli.ProfileSection()["LightInfo"]["SelectItem"].asInt(), 30);

    r = cli.Run({"--json", "read-profile", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json::Value read = test::ParseJson(r.out);
    EXPECT_EQ(read["mode"].asInt(), 0);
    EXPECT_EQ(read["speed"].asInt(), 1);
    EXPECT_EQ(read["colour"].asString(), "ff0000");
    EXPECT_EQ(cli.ProfileSection()["LightInfo"]["SelectItem"].asInt(), 0);
}

TEST(KeyboardCommandsTest, ApplyWritesSettingsMacrosAndKeyTableInThatOrder) {
    const KeyboardCli cli;
    ASSERT_EQ(cli.Run({"macro", "add", "--kind", "keyboard"}).status, 0);
    std::vector<std::string> commands;
    bool nextIsCommand = false;
    SetTraceSink([&](const std::string& line) {
        if (nextIsCommand) commands.push_back(line.substr(9, 2));
        nextIsCommand = line == "命令";
    });
    const CliRun r = cli.Run({"--trace", "apply", "keyboard"});
    SetTraceSink({});
    SetTraceEnabled(false);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "load profile: \"profile1\"\ncheck macro references: done\nwrite settings: done\n"
              "download macros: done\nwrite key table: done\n");

    // After the configuration read: settings (0x06), macros (0x15), key table (0x09), each
    // session ended (0x02).
    const auto settings = std::find(commands.begin(), commands.end(), "06");
    ASSERT_NE(settings, commands.end());
    std::vector<std::string> sequence(settings, commands.end());
    sequence.erase(std::unique(sequence.begin(), sequence.end()), sequence.end());
    EXPECT_EQ(sequence, (std::vector<std::string>{"06", "02", "03", "15", "02", "03", "09", "02"}));
}

TEST(KeyboardCommandsTest, KeyAssignmentIsStoredThenWrittenWithTheMacros) {
    const KeyboardCli cli;
    CliRun r = cli.Run({"key", "keyboard", "22", "0x12", "0", "0xfd"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "key 22: (0x12, 0x00, 0xfd) mouse_key_down_Swing\n");
    EXPECT_EQ(cli.ProfileSection()["KeyList"][22]["Assignment"].asInt(), 0x1200FD);
    EXPECT_EQ(SlotHex(cli.Dump(), 22), "20001e");  // not written yet: still the 1 key

    r = cli.Run({"key", "keyboard", "--write"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json::Value dump = cli.Dump();
    EXPECT_EQ(SlotHex(dump, 22), "1200fd");
    EXPECT_EQ(SlotHex(dump, 23), "20001f");
}

TEST(KeyboardCommandsTest, SystemSettingsAreSavedAndTheKeyboardsFlagsWritten) {
    const KeyboardCli cli;
    const CliRun r = cli.Run({"system", "keyboard", "--winlock", "1", "--polling", "2", "--repeat", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string params = cli.Dump()["params"].asString();
    EXPECT_EQ(params.substr(21 * 2, 4), "0102");  // Windows-key lock, polling rate option
    const Json::Value system = cli.ProfileSection()["SystemStages"];
    EXPECT_EQ(system["WinFlag"].asInt(), 1);
    EXPECT_EQ(system["PollingRate"].asInt(), 2);
    EXPECT_EQ(system["Repeat"].asInt(), 20);
}

TEST(KeyboardCommandsTest, WrongCommandLinesAreRefused) {
    const KeyboardCli cli;
    test::ExpectUsageErrors(
        {
            {"light"},
            {"light", "keyboard"},
            {"light", "toaster", "--mode", "1"},
            {"light", "keyboard", "--brightness", "5"},
            {"light", "keyboard", "--mode", "40"},
            {"light", "keyboard", "--colour", "ff00"},
            {"light", "keyboard", "--colour"},
            {"light", "keyboard", "--glow", "1"},
            {"key", "keyboard", "126", "0x20", "0", "4"},
            {"key", "keyboard", "110", "0x20", "0", "4"},
            {"key", "keyboard", "37", "0x13", "1", "0"},
            {"key", "keyboard", "37", "0x20", "0", "256"},
            {"key", "keyboard", "37", "0x20", "0"},
            {"system", "keyboard", "--polling", "4"},
            {"system", "keyboard", "--winlock", "2"},
            {"system", "pad", "--polling", "1"},
            {"apply", "keyboard", "now"},
            {"read-profile", "keyboard", "twice"},
        },
        [&](const std::vector<std::string>& args) { return cli.Run(args); });
    // Nothing was created for a wrong command line.
    EXPECT_FALSE(std::filesystem::exists(cli.root / "data" / "keyboard"));
}

TEST(KeyboardCommandsTest, FailuresSayWhy) {
    const KeyboardCli cli;
    CliRun r = test::RunCli({"--data-dir", (cli.root / "data").string(), "--default-data", test::SourceDataDir(),
                             "--emulate", "pad", "light", "keyboard", "--mode", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: no keyboard is attached\n");

    r = cli.Run({"key", "keyboard", "37", "0x70", "0", "0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: there is no macro 0 (the list holds 0)\n");
}

// The custom key colours of mode 38, as the light panel edits them: a colour set chosen, keys
// painted (written to the keyboard's colour table and kept in the set), all keys darkened.
TEST(KeyboardCommandsTest, CustomLightPaintsKeysIntoTheChosenSet) {
    const KeyboardCli cli;
    ASSERT_EQ(cli.Run({"light", "keyboard", "--mode", "38"}).status, 0);
    CliRun r = cli.Run({"custom-light", "keyboard", "--group", "2", "--fill", "off"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli.Run({"custom-light", "keyboard", "--colour", "ff0000", "--paint", "40,41"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("colour set 2"), std::string::npos) << r.out;

    const Json::Value dump = cli.Dump();
    const auto& slots = emulator::SlotMatrixIndex();
    const auto ledOf = [&](int key) {
        const size_t slot = size_t(std::find(slots.begin(), slots.end(), key) - slots.begin());
        return std::stoul(dump["keyAttr"].asString().substr(slot * 2, 2), nullptr, 16);
    };
    const std::string table = dump["lightTable"].asString();
    EXPECT_EQ(table.substr(ledOf(40) * 6, 6), "fe0000");
    EXPECT_EQ(table.substr(ledOf(41) * 6, 6), "fe0000");
    EXPECT_EQ(table.substr(ledOf(42) * 6, 6), "000000");
    const Json::Value custom = cli.ProfileSection()["CustomLightMode"];
    EXPECT_EQ(custom["CustomLightModeGroupIndex"].asInt(), 2);
    EXPECT_EQ(custom["LightColorInfo"][2][40]["Red"].asInt(), 255);
    EXPECT_EQ(custom["LightColorInfo"][2][42]["Red"].asInt(), 0);
}

TEST(KeyboardCommandsTest, CustomLightRefusesWrongOptionsAndKeysOutsideTheCustomMode) {
    const KeyboardCli cli;
    test::ExpectUsageErrors({{"custom-light"},
                             {"custom-light", "keyboard"},
                             {"custom-light", "mouse", "--fill", "on"},
                             {"custom-light", "keyboard", "--group", "256"},
                             {"custom-light", "keyboard", "--paint", "40,126"},
                             {"custom-light", "keyboard", "--fill", "maybe"},
                             {"custom-light", "keyboard", "--colour", "red"}},
                            [&](const std::vector<std::string>& args) { return cli.Run(args); });
    ASSERT_EQ(cli.Run({"light", "keyboard", "--mode", "6"}).status, 0);
    const CliRun r = cli.Run({"custom-light", "keyboard", "--paint", "40"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("custom light mode"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace morvek::cli
