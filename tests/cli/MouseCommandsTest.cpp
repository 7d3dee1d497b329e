// The mouse's commands end to end against the emulated wired and wireless mouse: each call
// builds the model afresh, and the emulator state file carries the mouse's memories between calls.

#include <gtest/gtest.h>
#include <json/json.h>

#include <string>
#include <vector>

#include "cli/CliRun.h"
#include "emulator/HexText.h"
#include "profiles/JsonFile.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::cli {
namespace {

using test::CliRun;

struct MouseCli {
    explicit MouseCli(std::string emulate = "mouse") : emulate(std::move(emulate)) {}

    test::TempFolder root;
    std::string emulate;
    std::string state = (root / "state.json").string();

    CliRun Run(std::vector<std::string> args, std::vector<std::string> extra = {}) const {
        std::vector<std::string> full = {"--data-dir",       (root / "data").string(), "--default-data",
                                         test::SourceDataDir(), "--emulate", emulate, "--emulator-state", state};
        full.insert(full.end(), extra.begin(), extra.end());
        full.insert(full.end(), args.begin(), args.end());
        return test::RunCli(full);
    }
    // Settings block 0 as the mouse holds it.
    std::vector<uint8_t> Block() const {
        const CliRun r = Run({"emulator", "dump", "mouse"});
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<uint8_t> params =
            emulator::FromHex(test::ParseJson(r.out)["mouse"]["params"].asString()).value_or(std::vector<uint8_t>{});
        params.resize(66);
        return params;
    }
    // Slot n of the mouse's key table, as hex (type, p1, p2).
    std::string SlotHex(size_t slot) const {
        const CliRun r = Run({"emulator", "dump", "mouse"});
        EXPECT_EQ(r.status, 0) << r.err;
        return test::ParseJson(r.out)["mouse"]["keyTable"].asString().substr(slot * 6, 6);
    }
    Json::Value ProfileSection() const {
        const Json::Value list = test::ReadJson(root / "data" / "mouse" / "ProfileList.ini");
        const std::string uuid = list["profilelist"][list["profileselect"].asUInt()]["profileUUID"].asString();
        return test::ReadJson(root / "data" / "mouse" / (uuid + ".Json"))["Device"][0];
    }
};

int StageSteps(const std::vector<uint8_t>& block, int stage) {
    const size_t at = 14 + size_t(stage) * 9 + 2;
    return block[at] | block[at + 1] << 8;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(MouseCommandsTest, DpiStageIsSavedAndWrittenInTheBlock) {
    const MouseCli cli;
    const CliRun r = cli.Run({"dpi", "2", "1625"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "stage 2       on  1600 DPI")) << r.out;
    EXPECT_TRUE(Has(r.out, "write settings: done")) << r.out;
    const std::vector<uint8_t> block = cli.Block();
    EXPECT_EQ(StageSteps(block, 2), 32);  // 1600 DPI in steps of 50
    EXPECT_EQ(StageSteps(block, 4), 128);
    EXPECT_EQ(block[60] | block[61] << 8, 1920);  // the screen the mouse held stays
    EXPECT_EQ(cli.ProfileSection()["DPIStages"]["StageDPIs"][2]["StageDPIX"].asInt(), 32);

    ASSERT_EQ(cli.Run({"polling", "3"}).status, 0);
    EXPECT_EQ(cli.Block()[11], 3);
    EXPECT_EQ(cli.ProfileSection()["ReportStages"]["StageActive"].asInt(), 3);
}

TEST(MouseCommandsTest, LastEnabledStageStaysOn) {
    const MouseCli cli;
    for (const char* stage : {"0", "1", "2", "3"}) ASSERT_EQ(cli.Run({"dpi-enable", stage, "0"}).status, 0) << stage;
    const CliRun r = cli.Run({"dpi-enable", "4", "0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "last enabled stage")) << r.err;
    EXPECT_EQ(cli.Block()[14 + 4 * 9], 1);
    EXPECT_EQ(cli.Block()[14], 0);
    ASSERT_EQ(cli.Run({"dpi-enable", "0", "1"}).status, 0);
    EXPECT_EQ(cli.Block()[14], 1);
}

TEST(MouseCommandsTest, PointerValuesAreOnlyStored) {
    const MouseCli cli;
    const std::vector<uint8_t> before = cli.Block();
    const CliRun r = cli.Run({"pointer", "--speed", "12", "--precision", "0", "--scroll-page", "1", "--double-click", "300"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli.Block(), before);
    const Json::Value system = cli.ProfileSection()["SystemStages"];
    EXPECT_EQ(system["MouseSpeed"].asInt(), 12);
    EXPECT_EQ(system["PointerPrecision"].asInt(), 0);
    EXPECT_EQ(system["ScorllPage"].asInt(), 1);
    EXPECT_EQ(system["DoubleClickTime"].asInt(), 300);
    ASSERT_EQ(cli.Run({"pointer", "--scroll", "7"}).status, 0);
    EXPECT_EQ(cli.ProfileSection()["SystemStages"]["ScorllPage"].asInt(), 0);  // the slider unticks the page check
    EXPECT_EQ(cli.ProfileSection()["SystemStages"]["WheelScorlllinse"].asInt(), 7);
}

TEST(MouseCommandsTest, CustomLightModesAreTheOnesItsLightConfigurationLists) {
    const MouseCli cli;
    ASSERT_EQ(cli.Run({"light", "mouse", "--mode", "4"}).status, 0);  // makes the profile folder
    // The mouse's list (class 1) of the light configuration names two custom modes: 9 and 10.
    Json::Value config;
    config["LightInfo"][1][0]["LightName"] = "Sunrise";
    config["LightInfo"][1][1]["LightName"] = "Sunset";
    ASSERT_EQ(WriteJsonFile(cli.root / "data" / "mouse" / "velko_light.config", config), 0);

    CliRun r = cli.Run({"light", "mouse", "--mode", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli.ProfileSection()["LightInfo"]["SelectItem"].asInt(), 10);
    EXPECT_EQ(cli.Block()[1], 0);  // a custom mode is played by the host; the mouse runs effect 0

    r = cli.Run({"light", "mouse", "--mode", "11"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "has no light mode 11 (its modes are 0 to 10)")) << r.err;
    EXPECT_EQ(cli.ProfileSection()["LightInfo"]["SelectItem"].asInt(), 10);
}

TEST(MouseCommandsTest, WirelessMouseTakesItsSpeedInvertedAndNothingWhenOutOfReach) {
    const MouseCli cli("wireless-mouse");
    ASSERT_EQ(cli.Run({"light", "mouse", "--speed", "1", "--mode", "4"}).status, 0);
    EXPECT_EQ(cli.Block()[3], 3);
    EXPECT_EQ(cli.Block()[1], 4);
    const CliRun read = cli.Run({"read-profile", "mouse"});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_TRUE(Has(read.out, "speed         1")) << read.out;

    const std::vector<uint8_t> before = cli.Block();
    const std::vector<std::string> down = {"--emulator-link-down"};
    CliRun r = cli.Run({"dpi", "2", "800"}, down);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "receiver")) << r.err;
    r = cli.Run({"polling", "2"}, down);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "does not answer its receiver (out of reach or off)")) << r.err;
    EXPECT_EQ(cli.ProfileSection()["ReportStages"]["StageActive"].asInt(), 2);  // kept for when it is back
    EXPECT_EQ(cli.Run({"apply", "mouse"}, down).status, 1);
    EXPECT_EQ(cli.Run({"read-profile", "mouse"}, down).status, 1);
    EXPECT_EQ(cli.Block(), before);
}

TEST(MouseCommandsTest, ApplyWritesSettingsMacrosAndKeyTable) {
    const MouseCli cli;
    const CliRun r = cli.Run({"apply", "mouse"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "load profile: \"profile1\"")) << r.out;
    EXPECT_TRUE(Has(r.out, "write settings: done")) << r.out;
    EXPECT_TRUE(Has(r.out, "write key table: done")) << r.out;
    EXPECT_EQ(cli.Block()[3], 3);  // the template's speed 3, as it is on a wired mouse
}

TEST(MouseCommandsTest, ButtonAssignmentsAreStoredThenWrittenToTheirSlots) {
    const MouseCli cli;
    // The emulated mouse keeps the buttons in its own slot order (right in 1, DPI cycle in 5, ...).
    const struct {
        std::vector<std::string> words;  // KEYINDEX TYPE P1 P2
        const char* printed;
        size_t slot;
        const char* before;
        const char* after;
    } cases[] = {
        {{"1", "0x20", "0", "0x04"}, "button 1: (0x20, 0x00, 0x04) keyboard_key_A", 1, "100200", "200004"},
        {{"7", "0x72", "3", "0"}, "button 7: (0x72, 0x03, 0x00) shoot pattern 3", 5, "130300", "720300"},
        {{"3", "19", "2", "0"}, "button 3: (0x13, 0x02, 0x00) mouse_key_DPI_sub", 4, "101000", "130200"},
        {{"8", "0xa0", "0x1b", "0"}, "button 8: (0xa0, 0x1b, 0x00) keyboard_key_GM", 6, "a01b00", "a01b00"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"key", "mouse"};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const CliRun r = cli.Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.printed) + "\n");
        EXPECT_EQ(cli.SlotHex(c.slot), c.before) << c.printed;  // stored, not yet written
    }
    EXPECT_EQ(cli.ProfileSection()["KeyList"][1]["Assignment"].asInt(), 0x200004);
    EXPECT_EQ(cli.ProfileSection()["KeyList"][1]["DefaultAssignment"].asInt(), 0x100200);

    const CliRun r = cli.Run({"key", "mouse", "--write"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "download macros: done\nwrite key table: done\n");
    for (const auto& c : cases) EXPECT_EQ(cli.SlotHex(c.slot), c.after) << c.printed;
    EXPECT_EQ(cli.SlotHex(0), "100100");
}

TEST(MouseCommandsTest, AssignmentsTheMouseCannotTakeAreRefused) {
    const MouseCli cli;
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"key", "mouse", "2", "0xd0", "0xa2", "1"}, "function type (0xd0, 0xa2, 0x01) cannot be given"},
        {{"key", "mouse", "2", "0xa0", "0x1b", "0"}, "function type (0xa0, 0x1b, 0x00) cannot be given"},
        {{"key", "mouse", "2", "0x13", "4", "0"}, "the DPI functions are"},
        {{"key", "mouse", "2", "0x70", "0", "0"}, "there is no macro 0 (the list holds 0)"},
        {{"key", "mouse", "2", "0x72", "4", "0"}, "there is no shoot pattern 4 (the mouse holds 0 to 3)"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli.Run(c.args);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_TRUE(Has(r.err, c.message)) << r.err;
    }
    const Json::Value shipped = test::ReadJson(std::filesystem::path(test::SourceDataDir()) / "mouse.Json");
    EXPECT_EQ(cli.ProfileSection()["KeyList"], shipped["Device"][0]["KeyList"]);

    const CliRun r = test::RunCli({"--data-dir", (cli.root / "data").string(), "--default-data", test::SourceDataDir(),
                                   "--emulate", "keyboard", "key", "mouse", "1", "0x20", "0", "4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: no mouse is attached\n");
}

TEST(MouseCommandsTest, WirelessMouseOutOfReachGetsItsKeysWhenBack) {
    const MouseCli cli("wireless-mouse");
    const std::vector<std::string> down = {"--emulator-link-down"};
    CliRun r = cli.Run({"key", "mouse", "1", "0x10", "0x04", "0"}, down);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli.ProfileSection()["KeyList"][1]["Assignment"].asInt(), 0x100400);
    r = cli.Run({"key", "mouse", "--write"}, down);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "writing the key table")) << r.err;
    EXPECT_EQ(cli.SlotHex(1), "100200");

    r = cli.Run({"key", "mouse", "--write"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(cli.SlotHex(1), "100400");
}

TEST(MouseCommandsTest, WrongCommandLinesExitWithTwo) {
    const MouseCli cli;
    test::ExpectUsageErrors({{"dpi"},
                             {"dpi", "5", "800"},
                             {"dpi", "1", "abc"},
                             {"dpi-enable", "0", "2"},
                             {"polling", "5"},
                             {"pointer"},
                             {"pointer", "--bogus", "1"},
                             {"pointer", "--precision", "2"},
                             {"light", "mouse", "--brightness", "5"},
                             {"key", "mouse"},
                             {"key", "mouse", "10", "0x20", "0", "4"},
                             {"key", "mouse", "-1", "0x20", "0", "4"},
                             {"key", "mouse", "left", "0x20", "0", "4"},
                             {"key", "mouse", "1", "0x20", "0", "256"},
                             {"key", "mouse", "1", "0x20", "0"},
                             {"key", "mouse", "--write", "now"},
                             {"apply", "mouse", "extra"}},
                            [&](const std::vector<std::string>& args) { return cli.Run(args); });
}

}  // namespace
}  // namespace morvek::cli
