#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>
#include <sstream>

#include "cli/MacroCommands.h"
#include "cli/CliRun.h"
#include "emulator/HexText.h"
#include "macros/DeviceMacroImage.h"
#include "macros/MacroEvent.h"
#include "profiles/KeyAssignment.h"
#include "support/TempFolder.h"

namespace morvek::cli {
namespace {

using test::CliRun;
using test::ReadJson;
constexpr auto Parse = test::ParseJson;

// A macro file with n key events.
std::string MacroFileText(size_t n) {
    Json::Value document;
    document["Events"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < n; ++i)
        document["Events"].append(MacroEvent{kMacroEventKey, static_cast<int>(4 + i % 26), i % 2 == 0, 20}.ToJson());
    return Json::StyledWriter().write(document);
}

struct MacroCli {
    test::TempFolder root;

    CliRun Run(std::vector<std::string> args) const { return test::RunCliIn(root.Path(), std::move(args), false); }
    std::filesystem::path Folder(const std::string& kind) const { return root / "data" / kind; }
    std::filesystem::path WriteMacroFile(const std::string& name, size_t events) const {
        std::ofstream(root / name) << MacroFileText(events);
        return root / name;
    }
};

TEST(MacroCommandsTest, ListOperationsActOnTheKindsFolder) {
    const MacroCli cli;
    EXPECT_EQ(cli.Run({"macro", "list", "--kind", "mouse"}).out, "");
    EXPECT_EQ(cli.Run({"macro", "add", "--kind", "mouse"}).out, "added \"macro_1\"\n");
    EXPECT_EQ(cli.Run({"macro", "add", "--kind", "mouse"}).out, "added \"macro_2\"\n");
    EXPECT_EQ(cli.Run({"macro", "list", "--kind", "mouse"}).out, "  0  macro_1\n* 1  macro_2\n");
    EXPECT_FALSE(std::filesystem::exists(cli.Folder("keyboard") / "macro.config"));

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"macro", "rename", "", "--kind", "mouse"}, 1, "", "morvekctl: The macro name cannot be empty.\n"},
        {{"macro", "rename", "fire 1", "--kind", "mouse"}, 1, "", "morvekctl: The macro name cannot contain spaces.\n"},
        {{"macro", "rename", "MACRO_1", "--kind", "mouse"}, 1, "", "morvekctl: Another macro already has this name.\n"},
        {{"macro", "rename", "Burst", "--kind", "mouse"}, 0, "renamed \"macro_2\" to \"Burst\"\n", ""},
        {{"macro", "select", "5", "--kind", "mouse"}, 1, "", "morvekctl: there is no macro 5 (the list holds 2)\n"},
        {{"macro", "select", "0", "--kind", "mouse"}, 0, "selected 0 \"macro_1\"\n", ""},
        {{"macro", "show", "--kind", "mouse"}, 0, "0  macro_1  (0 events)\n", ""},
        {{"macro", "delete", "--kind", "mouse"}, 0, "deleted \"macro_1\"\n", ""},
        {{"macro", "list", "--kind", "mouse"}, 0, "* 0  Burst\n", ""},
    };
    for (const Case& c : cases) {
        const CliRun r = cli.Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[1] << " " << c.args[2];
        EXPECT_EQ(r.out, c.out) << c.args[1] << " " << c.args[2];
        EXPECT_EQ(r.err, c.err) << c.args[1] << " " << c.args[2];
    }
    const Json::Value list = ReadJson(cli.Folder("mouse") / "macro.config");
    ASSERT_EQ(list["MacroInfo"].size(), 1u);
    EXPECT_EQ(list["MacroInfo"][0]["MacroName"], "Burst");

    const CliRun json = cli.Run({"--json", "macro", "list", "--kind", "mouse"});
    EXPECT_EQ(Parse(json.out)["macros"][0]["guid"], list["MacroInfo"][0]["Guid"]);
}

TEST(MacroCommandsTest, ImportShowExportAndTheFiftiethMacro) {
    const MacroCli cli;
    const auto source = cli.WriteMacroFile("three.mac", 3);
    CliRun r = cli.Run({"macro", "import", source.string(), "--kind", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "imported " + source.string() + " as \"macro_1\"\n");
    r = cli.Run({"macro", "show", "--kind", "keyboard"});
    EXPECT_EQ(r.out,
              "0  macro_1  (3 events)\n"
              "  0  key 0x04 down, wait 20 ms\n"
              "  1  key 0x05 up, wait 20 ms\n"
              "  2  key 0x06 down, wait 20 ms\n");
    const auto exported = cli.root / "out.mac";
    r = cli.Run({"macro", "export", exported.string(), "--kind", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadJson(exported)["Events"], ReadJson(source)["Events"]);

    std::ofstream(cli.root / "bad.mac") << "not a macro";
    r = cli.Run({"macro", "import", (cli.root / "bad.mac").string(), "--kind", "keyboard"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: " + (cli.root / "bad.mac").string() + " is not a macro file (one with an \"Events\" list)\n");

    for (int i = 1; i < 50; ++i) ASSERT_EQ(cli.Run({"macro", "add", "--kind", "keyboard"}).status, 0) << i;
    r = cli.Run({"macro", "add", "--kind", "keyboard"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: there are already 50 macros; delete one first\n");
    EXPECT_EQ(cli.Run({"macro", "import", source.string(), "--kind", "keyboard"}).status, 1);
}

TEST(MacroCommandsTest, DeleteFixesTheKeysOfEveryProfile) {
    const MacroCli cli;
    for (int i = 0; i < 3; ++i) ASSERT_EQ(cli.Run({"macro", "add", "--kind", "keyboard"}).status, 0);
    // Two profiles whose keys play macros 1 and 2.
    const std::string uuids[] = {"2020_01_01_00_00_00_001", "2020_01_01_00_00_00_002"};
    Json::Value list;
    for (int p = 0; p < 2; ++p) {
        list["profilelist"][p]["profilename"] = "profile" + std::to_string(p + 1);
        list["profilelist"][p]["profileUUID"] = uuids[p];
        Json::Value document;
        document["Device"][0]["KeyList"][0]["Assignment"] = KeyAssignment{0x70, static_cast<uint8_t>(1 + p), 0}.Pack();
        document["Device"][0]["KeyList"][0]["DefaultAssignment"] = KeyAssignment{0x20, 0, 0x04}.Pack();
        std::ofstream(cli.Folder("keyboard") / (uuids[p] + ".Json")) << Json::StyledWriter().write(document);
    }
    list["profileselect"] = 0;
    std::ofstream(cli.Folder("keyboard") / "ProfileList.ini") << Json::StyledWriter().write(list);

    ASSERT_EQ(cli.Run({"macro", "select", "1", "--kind", "keyboard"}).status, 0);
    const CliRun r = cli.Run({"macro", "delete", "--kind", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "deleted \"macro_2\"; in 2 profiles, keys back to their defaults: 1, "
              "keys following the new macro numbers: 1\n");
    auto key = [&](int p) {
        return KeyAssignment::Unpack(
            ReadJson(cli.Folder("keyboard") / (uuids[p] + ".Json"))["Device"][0]["KeyList"][0]["Assignment"].asUInt());
    };
    EXPECT_EQ(key(0), (KeyAssignment{0x20, 0, 0x04}));
    EXPECT_EQ(key(1), (KeyAssignment{0x70, 1, 0}));
}

TEST(MacroCommandsTest, DownloadPutsTheImageIntoTheEmulatedKeyboard) {
    const MacroCli cli;
    const std::string state = (cli.root / "state.json").string();
    ASSERT_EQ(cli.Run({"macro", "import", cli.WriteMacroFile("a.mac", 3).string(), "--kind", "keyboard"}).status, 0);
    ASSERT_EQ(cli.Run({"macro", "add", "--kind", "keyboard"}).status, 0);
    ASSERT_EQ(cli.Run({"macro", "import", cli.WriteMacroFile("b.mac", 20).string(), "--kind", "keyboard"}).status, 0);

    CliRun r = cli.Run({"--emulate", "keyboard", "--emulator-state", state, "macro", "download", "--kind", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "downloaded 3 macros\n");
    r = cli.Run({"--emulate", "keyboard", "--emulator-state", state, "emulator", "dump", "keyboard"});
    ASSERT_EQ(r.status, 0) << r.err;

    std::vector<std::vector<MacroEvent>> macros(3);
    for (const auto& [index, count] : {std::pair{0, 3}, std::pair{2, 20}}) {
        const Json::Value file = Parse(MacroFileText(static_cast<size_t>(count)));
        for (const Json::Value& e : file["Events"]) macros[static_cast<size_t>(index)].push_back(MacroEvent::FromJson(e));
    }
    EXPECT_EQ(Parse(r.out)["keyboard"]["macro"].asString(), emulator::ToHex(DeviceMacroImage::Build(macros)));
}

TEST(MacroCommandsTest, DownloadMessages) {
    const MacroCli cli;
    CliRun r = cli.Run({"--emulate", "mouse", "macro", "download", "--kind", "mouse"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "no macros to download; the device keeps its macros\n");

    // The mouse holds 2048 bytes: 16 + 6 + 4 × 510 = 2062 is 4 events too many.
    ASSERT_EQ(cli.Run({"macro", "import", cli.WriteMacroFile("big.mac", 510).string(), "--kind", "mouse"}).status, 0);
    r = cli.Run({"--emulate", "mouse", "macro", "download", "--kind", "mouse"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: The macros do not fit into the device's memory: remove 4 events.\n");

    r = cli.Run({"--emulate", "keyboard", "macro", "download", "--kind", "mouse"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "morvekctl: no mouse is attached\n");
    EXPECT_EQ(MacroDownloadMessage(-1), "The macros could not be downloaded to the device.");
}

TEST(MacroCommandsTest, EventCommandsEditTheSelectedMacroAsTheEditorDoes) {
    const MacroCli cli;
    ASSERT_EQ(cli.Run({"macro", "import", cli.WriteMacroFile("three.mac", 3).string(), "--kind", "mouse"}).status, 0);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {{"move", "2", "up"}, 0, "event 2 is event 1\n", ""},
        {{"move", "0", "up"}, 0, "event 0 is event 0\n", ""},
        {{"move", "0", "bottom"}, 0, "event 0 is event 2\n", ""},
        {{"delay", "1", "07"}, 0, "event 1 waits 7 ms\n", ""},
        {{"insert", "1", "left_click"}, 0, "inserted 2 events at 1\n", ""},
        {{"insert", "5", "move_up", "44"}, 0, "inserted 1 event at 5\n", ""},
        {{"delete", "0"}, 0, "deleted event 0\n", ""},
        {{"move", "5", "up"}, 1, "", "morvekctl: there is no event 5 (the macro holds 5)\n"},
        {{"delay", "0", "70000"}, 2, "", "morvekctl: MS must be a number from 0 to 65535, not \"70000\"\n"},
        {{"insert", "0", "move_left", "300"}, 2, "", "morvekctl: move_left needs a DISTANCE from 0 to 255\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"macro", "event"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"--kind", "mouse"});
        const CliRun r = cli.Run(args);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(cli.Run({"macro", "show", "--kind", "mouse"}).out,
              "0  macro_1  (5 events)\n"
              "  0  mouse button 0x01 down, wait 50 ms\n"
              "  1  mouse button 0x01 up, wait 50 ms\n"
              "  2  key 0x05 up, wait 7 ms\n"
              "  3  key 0x04 down, wait 20 ms\n"
              "  4  move up 44, wait 50 ms\n");
    EXPECT_EQ(cli.Run({"macro", "event", "delete", "all", "--kind", "mouse"}).out, "deleted 5 events\n");
    EXPECT_EQ(ReadJson(cli.Folder("mouse") / (ReadJson(cli.Folder("mouse") / "macro.config")["MacroInfo"][0]["Guid"].asString() +
                                              ".mac"))["Events"].size(),
              0u);
}

TEST(MacroCommandsTest, WrongCommandLinesExitWithTwo) {
    const MacroCli cli;
    const std::vector<std::vector<std::string>> cases = {
        {"macro"},
        {"macro", "frob", "--kind", "keyboard"},
        {"macro", "list"},
        {"macro", "list", "--kind"},
        {"macro", "list", "--kind", "pad"},
        {"macro", "list", "--kind", "headset"},
        {"macro", "add", "extra", "--kind", "keyboard"},
        {"macro", "rename", "--kind", "keyboard"},
        {"macro", "select", "first", "--kind", "keyboard"},
        {"macro", "select", "-1", "--kind", "keyboard"},
        {"macro", "list", "--kind", "keyboard", "--force"},
        {"macro", "event", "--kind", "keyboard"},
        {"macro", "event", "move", "1", "--kind", "keyboard"},
        {"macro", "event", "move", "1", "up"},
        {"macro", "event", "swap", "1", "2", "--kind", "keyboard"},
        {"macro", "event", "insert", "0", "left_click", "3", "--kind", "keyboard"},
        {"macro", "event", "delete", "all", "--kind", "pad"},
    };
    test::ExpectUsageErrors(cases, [&](const auto& args) { return cli.Run(args); });
    EXPECT_FALSE(std::filesystem::exists(cli.root / "data"));
}

}  // namespace
}  // namespace morvek::cli
