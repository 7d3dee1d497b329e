#include <gtest/gtest.h>
#include <json/writer.h>
#include <sys/stat.h>

#include <optional>
#include <set>

#include "MacroFixtures.h"
#include "macros/MacroListModel.h"
#include "support/RenameWatch.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using test::ReadText;
using test::WriteText;

class MacroListModelTest : public ::testing::Test {
protected:
    MacroListModelTest() {
        model_.SetFolder(folder_.Path());
        model_.LoadMacroList();
    }

    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder_.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    Json::Value List() const { return readjsonFile(folder_ / "macro.config"); }
    std::filesystem::path MacFile(size_t index) const { return folder_ / (model_.Macros()[index].guid + ".mac"); }

    test::TempFolder folder_;
    MacroListModel model_;
};

TEST_F(MacroListModelTest, AddNamesTheSmallestFreeNumberAndSelectsTheNewMacro) {
    ASSERT_EQ(model_.AddMacro().name, "macro_1");
    ASSERT_EQ(model_.AddMacro().name, "macro_2");
    ASSERT_EQ(model_.AddMacro().name, "macro_3");
    ASSERT_EQ(model_.SelectMacro(1), MacroStatus::Ok);
    ASSERT_EQ(model_.DeleteMacro().index, 1);
    EXPECT_EQ(model_.GetMacroNames(), (std::vector<std::string>{"macro_1", "macro_3"}));
    // The number is reused, and added at the end: numbers of existing macros never change.
    EXPECT_EQ(model_.AddMacro().name, "macro_2");
    EXPECT_EQ(model_.GetMacroNames(), (std::vector<std::string>{"macro_1", "macro_3", "macro_2"}));
    EXPECT_EQ(model_.GetSelectedMacro(), 2);
    // A name that differs only in case counts as taken.
    ASSERT_EQ(model_.SelectMacro(0), MacroStatus::Ok);
    ASSERT_EQ(model_.RenameMacro("MACRO_4").status, MacroStatus::Ok);
    ASSERT_EQ(model_.RenameMacro("MACRO_1").status, MacroStatus::Ok);
    EXPECT_EQ(model_.AddMacro().name, "macro_4");

    // No macro file is written until the first save; the list holds names and Guids.
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"macro.config"}));
    const Json::Value list = List();
    ASSERT_EQ(list["MacroInfo"].size(), 4u);
    EXPECT_EQ(list["MacroInfo"][0]["MacroName"], "MACRO_1");
    EXPECT_EQ(list["MacroSelect"], 3);
    Json::StyledWriter writer;
    EXPECT_EQ(ReadText(folder_ / "macro.config"), writer.write(list));

    // The selection is kept with the list.
    MacroListModel again;
    again.SetFolder(folder_.Path());
    again.LoadMacroList();
    EXPECT_EQ(again.GetSelectedMacro(), 3);
    EXPECT_EQ(again.Macros(), model_.Macros());
}

TEST_F(MacroListModelTest, FiftyMacrosAtMostWithDistinctGuids) {
    std::set<std::string> guids;
    for (size_t i = 0; i < MacroListModel::kMaxMacros; ++i) {
        const MacroAddResult added = model_.AddMacro();
        ASSERT_EQ(added.status, MacroStatus::Ok) << i;
        guids.insert(model_.Macros().back().guid);
        EXPECT_TRUE(IsPlainTimeStampId(model_.Macros().back().guid));
    }
    // Fifty adds in a few milliseconds, yet every macro has its own Guid (and so its own file).
    EXPECT_EQ(guids.size(), MacroListModel::kMaxMacros);
    const std::string before = ReadText(folder_ / "macro.config");
    const MacroAddResult refused = model_.AddMacro();
    EXPECT_EQ(refused.status, MacroStatus::LimitReached);
    EXPECT_EQ(refused.name, "");
    EXPECT_EQ(ReadText(folder_ / "macro.config"), before);

    const auto exported = folder_ / "out.mac";
    ASSERT_EQ(model_.ExportMacro(exported), MacroStatus::Ok);
    EXPECT_EQ(model_.ImportMacro(exported).status, MacroStatus::LimitReached);
    EXPECT_EQ(ReadText(folder_ / "macro.config"), before);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"macro.config", "out.mac"}));
}

TEST_F(MacroListModelTest, DeleteRemovesTheEntryAndItsFileAndSelectsTheFirst) {
    test::WriteMacroFolder(folder_.Path(), {{test::KeyEvent(4, true, 1)}, {test::KeyEvent(5, true, 2)}, {}});
    model_.LoadMacroList();
    ASSERT_EQ(model_.SelectMacro(1), MacroStatus::Ok);
    const auto file1 = MacFile(1);
    ASSERT_TRUE(std::filesystem::exists(file1));

    const MacroDeleteResult deleted = model_.DeleteMacro();
    EXPECT_EQ(deleted.status, MacroStatus::Ok);
    EXPECT_EQ(deleted.index, 1);
    EXPECT_FALSE(std::filesystem::exists(file1));
    EXPECT_EQ(model_.GetMacroNames(), (std::vector<std::string>{"macro_1", "macro_3"}));
    EXPECT_EQ(model_.GetSelectedMacro(), 0);
    ASSERT_EQ(model_.Actions().size(), 1u);  // macro 0 is loaded
    EXPECT_EQ(List()["MacroInfo"].size(), 2u);

    ASSERT_EQ(model_.DeleteMacro().index, 0);
    ASSERT_EQ(model_.DeleteMacro().index, 0);
    EXPECT_EQ(model_.GetSelectedMacro(), -1);
    EXPECT_TRUE(model_.Actions().empty());
    EXPECT_EQ(model_.DeleteMacro().status, MacroStatus::NoSelection);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"macro.config"}));
}

TEST_F(MacroListModelTest, RenameStatuses) {
    EXPECT_EQ(model_.RenameMacro("x").index, -1);  // nothing selected
    model_.AddMacro();
    model_.AddMacro();
    struct Case {
        std::string name;
        MacroStatus status;
        std::string text;
        int index;
    } cases[] = {
        {"", MacroStatus::NameEmpty, "IsEmpty", -1},
        {"my macro", MacroStatus::NameHasBlank, "Isuseb", -1},
        {"macro_2", MacroStatus::NameTaken, "", 1},  // its own name
        {"Macro_1", MacroStatus::NameTaken, "", 1},
        {"Sprint", MacroStatus::Ok, "Sprint", 1},
        {"Grüße", MacroStatus::Ok, "Grüße", 1},
        {"GRÜSSE", MacroStatus::Ok, "GRÜSSE", 1},
        {"grüsse", MacroStatus::NameTaken, "", 1},
    };
    for (const Case& c : cases) {
        const std::string before = ReadText(folder_ / "macro.config");
        const MacroRenameResult r = model_.RenameMacro(c.name);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.text, c.text) << c.name;
        EXPECT_EQ(r.index, c.index) << c.name;
        if (c.status != MacroStatus::Ok) {
            EXPECT_EQ(ReadText(folder_ / "macro.config"), before) << c.name;
        }
    }
    EXPECT_EQ(List()["MacroInfo"][1]["MacroName"], "GRÜSSE");
    EXPECT_EQ(model_.GetMacroNames()[1], "GRÜSSE");
}

TEST_F(MacroListModelTest, SaveFoldsTheDelayBoxesInAsDecimalText) {
    model_.AddMacro();
    const auto file = MacFile(0);
    WriteText(file, R"({"Events": [
        {"Action": "down", "Button": 4, "Type": 10, "Delay": 25},
        {"Action": "up", "Button": 4, "Type": 10, "Delay": "25"},
        {"Action": "down", "Button": 1, "Type": 1, "Delay": 70000},
        {"Action": "up", "Button": 1, "Type": 1, "Delay": "7"}]})");
    model_.LoadSelectedMacro();
    ASSERT_EQ(model_.Actions().size(), 4u);
    EXPECT_EQ(model_.Actions()[0].delayText, "25");
    EXPECT_EQ(model_.Actions()[1].delayText, "25");
    EXPECT_EQ(model_.Actions()[2].delayText, "65535");

    model_.Actions()[3].delayText = "";
    ASSERT_EQ(model_.SaveSelectedMacro(), MacroStatus::Ok);
    EXPECT_EQ(model_.Actions()[3].delayText, "0");

    const Json::Value saved = readjsonFile(file);
    EXPECT_EQ(saved["Events"][0]["Delay"], "25");
    EXPECT_EQ(saved["Events"][1]["Delay"], "25");
    EXPECT_EQ(saved["Events"][2]["Delay"], "65535");
    EXPECT_EQ(saved["Events"][3]["Delay"], "0");
    EXPECT_EQ(saved["MacroName"], "macro_1");
    EXPECT_EQ(saved["Guid"], model_.Macros()[0].guid);
    EXPECT_EQ(saved["Version"], 64);
    Json::StyledWriter writer;
    EXPECT_EQ(ReadText(file), writer.write(saved));
}

TEST_F(MacroListModelTest, ExportAndImportCarryTheEvents) {
    model_.AddMacro();
    model_.Actions().push_back({test::KeyEvent(4, true, 30).ToJson(), "30"});
    model_.Actions().push_back({test::KeyEvent(4, false, 0).ToJson(), "0"});
    ASSERT_EQ(model_.SaveSelectedMacro(), MacroStatus::Ok);
    const auto exported = folder_ / "exported.mac";
    ASSERT_EQ(model_.ExportMacro(exported), MacroStatus::Ok);
    EXPECT_EQ(ReadText(exported), ReadText(MacFile(0)));

    const MacroAddResult imported = model_.ImportMacro(exported);
    ASSERT_EQ(imported.status, MacroStatus::Ok);
    EXPECT_EQ(imported.name, "macro_2");
    EXPECT_EQ(model_.GetSelectedMacro(), 1);
    EXPECT_NE(model_.Macros()[1].guid, model_.Macros()[0].guid);
    ASSERT_EQ(model_.Actions().size(), 2u);
    EXPECT_EQ(model_.Actions()[0].delayText, "30");
    // The imported copy keeps its own name inside until the next save.
    EXPECT_EQ(readjsonFile(MacFile(1))["MacroName"], "macro_1");
    ASSERT_EQ(model_.SaveSelectedMacro(), MacroStatus::Ok);
    EXPECT_EQ(readjsonFile(MacFile(1))["MacroName"], "macro_2");

    // A macro never saved exports as a macro without events.
    model_.AddMacro();
    ASSERT_EQ(model_.ExportMacro(exported), MacroStatus::Ok);
    EXPECT_EQ(readjsonFile(exported)["Events"], Json::Value(Json::arrayValue));
}

TEST_F(MacroListModelTest, ImportRefusesWhatIsNotAMacroFile) {
    model_.AddMacro();
    const std::string before = ReadText(folder_ / "macro.config");
    WriteText(folder_ / "text.mac", "hello");
    WriteText(folder_ / "noevents.mac", R"({"MacroName": "x"})");
    WriteText(folder_ / "eventsobject.mac", R"({"Events": {"0": 1}})");
    for (const char* name : {"missing.mac", "text.mac", "noevents.mac", "eventsobject.mac", ""}) {
        const auto path = *name ? folder_ / name : std::filesystem::path();
        EXPECT_EQ(model_.ImportMacro(path).status, MacroStatus::NotAMacroFile) << name;
    }
    EXPECT_EQ(ReadText(folder_ / "macro.config"), before);
    EXPECT_EQ(model_.GetMacroNames().size(), 1u);
}

TEST_F(MacroListModelTest, GuidsThatAreNotPlainIdsNameNoFile) {
    // A tampered list: its Guids point outside the folder or at other files.
    std::filesystem::create_directories(folder_ / "inner");
    WriteText(folder_ / "x.mac", R"({"Events": [{"Action":"down","Button":4,"Type":10,"Delay":"1"}]})");
    WriteText(folder_ / "inner" / "x.mac", ReadText(folder_ / "x.mac"));
    WriteText(folder_ / "inner" / "macro.config",
              R"({"MacroInfo": [{"MacroName": "a", "Guid": "../x"}, {"MacroName": "b", "Guid": "/etc/passwd"},
                                {"MacroName": "c", "Guid": "x"}]})");
    MacroListModel model;
    model.SetFolder(folder_ / "inner");
    model.LoadMacroList();
    ASSERT_EQ(model.GetMacroNames().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(model.SelectMacro(i), MacroStatus::Ok);
        EXPECT_TRUE(model.Actions().empty()) << i;  // never read
        model.Actions().push_back({test::KeyEvent(5, true, 1).ToJson(), "1"});
        EXPECT_EQ(model.SaveSelectedMacro(), MacroStatus::NoMacroFile) << i;  // never written
        EXPECT_EQ(model.ExportMacro(folder_ / "out.mac"), MacroStatus::NoMacroFile) << i;
    }
    ASSERT_EQ(model.SelectMacro(0), MacroStatus::Ok);
    ASSERT_EQ(model.DeleteMacro().status, MacroStatus::Ok);
    ASSERT_EQ(model.DeleteMacro().status, MacroStatus::Ok);
    ASSERT_EQ(model.DeleteMacro().status, MacroStatus::Ok);
    // Never deleted.
    EXPECT_TRUE(std::filesystem::exists(folder_ / "x.mac"));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "inner" / "x.mac"));
    EXPECT_TRUE(std::filesystem::exists("/etc/passwd"));
}

TEST_F(MacroListModelTest, BrokenListsReadAsEmptyAndMalformedEntriesKeepTheirNumber) {
    for (const char* text : {"", "{ broken", "[1, 2]", R"({"MacroInfo": "no"})"}) {
        WriteText(folder_ / "macro.config", text);
        model_.LoadMacroList();
        EXPECT_TRUE(model_.GetMacroNames().empty()) << text;
        EXPECT_EQ(model_.GetSelectedMacro(), -1) << text;
    }
    WriteText(folder_ / "macro.config",
              R"({"MacroInfo": [7, {"MacroName": 3}, {"MacroName": "ok", "Guid": "g"}], "MacroSelect": 9})");
    model_.LoadMacroList();
    EXPECT_EQ(model_.GetMacroNames(), (std::vector<std::string>{"", "", "ok"}));
    EXPECT_EQ(model_.GetSelectedMacro(), -1);
    ASSERT_EQ(model_.SelectMacro(0), MacroStatus::Ok);
    ASSERT_EQ(model_.RenameMacro("seven").status, MacroStatus::Ok);
    EXPECT_EQ(List()["MacroInfo"][0]["MacroName"], "seven");
    EXPECT_EQ(model_.SelectMacro(3), MacroStatus::OutOfRange);
}

// One case per class of damage: the list goes aside byte for byte (never overwritten by the
// next change), the macro files stay, and a new list begins.
TEST_F(MacroListModelTest, DamagedListsAreKeptBesideTheNewOne) {
    const char* cases[] = {"", R"({"MacroInfo": [{"MacroName": "fire", "Guid": ")", "[1, 2]", "\x01\x02 binary"};
    for (const char* text : cases) {
        test::TempFolder folder;
        test::WriteMacroFolder(folder.Path(), {{test::KeyEvent(4, true, 1)}});
        WriteText(folder / "macro.config", text);
        MacroListModel model;
        model.SetFolder(folder.Path());
        EXPECT_EQ(model.LoadMacroList(), MacroStatus::Ok) << text;
        EXPECT_TRUE(model.GetMacroNames().empty()) << text;
        ASSERT_EQ(model.DamagedListKept(), folder / "macro.config.damaged") << text;
        EXPECT_EQ(ReadText(folder / "macro.config.damaged"), text);
        ASSERT_EQ(model.AddMacro().name, "macro_1") << text;
        EXPECT_EQ(ReadText(folder / "macro.config.damaged"), text) << "the next change leaves it alone";
        EXPECT_TRUE(std::filesystem::exists(*MacroFile::PathFor(folder.Path(), test::FixtureGuid(0))));
    }
    // A sound list, or none, is not kept.
    model_.LoadMacroList();
    model_.AddMacro();
    model_.LoadMacroList();
    EXPECT_FALSE(model_.DamagedListKept().has_value());
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"macro.config"}));
}

// A FIFO or a folder in place of the list: not read (a FIFO would block), not replaced.
TEST_F(MacroListModelTest, AListThatIsNotAFileIsRefused) {
    ASSERT_EQ(::mkfifo((folder_ / "macro.config").c_str(), 0600), 0);
    EXPECT_EQ(model_.LoadMacroList(), MacroStatus::ListNotAFile);
    EXPECT_EQ(model_.AddMacro().status, MacroStatus::ListNotAFile);
    test::WriteText(folder_ / "in.mac", R"({"Events": []})");
    EXPECT_EQ(model_.ImportMacro(folder_ / "in.mac").status, MacroStatus::ListNotAFile);
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"in.mac", "macro.config"}));
    EXPECT_TRUE(std::filesystem::is_fifo(folder_ / "macro.config"));
    EXPECT_EQ(MacroListFile(folder_.Path()).ReadableEntries(), std::nullopt);
}

// An import puts the macro's file in place before the list names it: one cut short (a kill, a
// power loss) leaves at most a file no list names, never a listed macro without its events.
TEST_F(MacroListModelTest, ImportPutsTheMacroFileInPlaceBeforeTheList) {
    test::TempFolder source;
    test::WriteText(source / "in.mac", R"({"Events": [{"Type": 10, "Button": 4, "Action": "down", "Delay": "5"}]})");
    test::RenameWatch watch(folder_.Path());
    ASSERT_EQ(model_.ImportMacro(source / "in.mac").status, MacroStatus::Ok);
    EXPECT_EQ(watch.Arrivals(), (std::vector<std::string>{model_.Macros()[0].guid + ".mac", "macro.config"}));
    EXPECT_EQ(model_.Actions().size(), 1u);
}

TEST_F(MacroListModelTest, FailedWritesChangeNothingAndAreReported) {
    test::WriteMacroFolder(folder_.Path(), {{test::KeyEvent(4, true, 1)}, {test::KeyEvent(5, true, 2)}});
    model_.LoadMacroList();
    ASSERT_EQ(model_.SelectMacro(0), MacroStatus::Ok);
    const auto names = FileNames();
    const std::string list = ReadText(folder_ / "macro.config");
    const std::string macro0 = ReadText(MacFile(0));
    std::optional<test::FileSizeLimit> full(std::in_place);

    EXPECT_EQ(model_.AddMacro().status, MacroStatus::WriteFailed);
    EXPECT_EQ(model_.RenameMacro("other").status, MacroStatus::WriteFailed);
    EXPECT_EQ(model_.SelectMacro(1), MacroStatus::WriteFailed);
    model_.Actions()[0].delayText = "99";
    EXPECT_EQ(model_.SaveSelectedMacro(), MacroStatus::WriteFailed);
    // The list is written before the file goes: the macro and its file both stay.
    EXPECT_EQ(model_.DeleteMacro().status, MacroStatus::WriteFailed);
    full.reset();

    EXPECT_EQ(FileNames(), names);
    EXPECT_EQ(ReadText(folder_ / "macro.config"), list);
    EXPECT_EQ(ReadText(MacFile(0)), macro0);
    EXPECT_EQ(model_.GetMacroNames(), (std::vector<std::string>{"macro_1", "macro_2"}));
    EXPECT_EQ(model_.GetSelectedMacro(), 0);
}

}  // namespace
}  // namespace morvek
