#include <gtest/gtest.h>

#include "MacroFixtures.h"
#include "macros/MacroDeleteFlow.h"
#include "profiles/KeyAssignment.h"
#include "profiles/ProfileFiles.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using test::ReadText;

constexpr KeyAssignment kKeyA{0x20, 0, 0x04};
constexpr KeyAssignment kKeyB{0x20, 0, 0x05};

// A profile list of two profiles whose key lists play macros.
class MacroDeleteFlowTest : public ::testing::Test {
protected:
    MacroDeleteFlowTest() {
        test::WriteMacroFolder(folder_.Path(), {{}, {}, {}});
        WriteProfile(0, {{{0x70, 2, 1}, kKeyA}, {{0x71, 1, 9}, kKeyB}, {kKeyA, kKeyA}});
        WriteProfile(1, {{{0x70, 1, 0}, kKeyA}, {{0x70, 0, 0}, kKeyB}});
        WriteProfile(2, {{{0x70, 0, 0}, kKeyA}});
        Json::Value list;
        for (int i = 0; i < 3; ++i) list["profilelist"][i]["profileUUID"] = test::FixtureGuid(100 + i);
        list["profilelist"][3]["profileUUID"] = "../elsewhere";
        WriteJsonFile(ProfileListFile(folder_.Path()), list);
        model_.SetFolder(folder_.Path());
        model_.LoadMacroList();
    }

    std::filesystem::path Document(int i) const { return *ProfileDocument(folder_.Path(), test::FixtureGuid(100 + i)); }

    void WriteProfile(int i, std::vector<std::pair<KeyAssignment, KeyAssignment>> keys) {
        Json::Value document;
        document["profilename"] = "profile" + std::to_string(i + 1);
        document["profileUUID"] = test::FixtureGuid(100 + i);
        for (const auto& [current, defaults] : keys) {
            Json::Value key;
            key["Assignment"] = current.Pack();
            key["DefaultAssignment"] = defaults.Pack();
            document["Device"][0]["KeyList"].append(key);
        }
        WriteJsonFile(Document(i), document);
    }

    KeyAssignment Key(int profile, int key) const {
        return KeyAssignment::Unpack(readjsonFile(Document(profile))["Device"][0]["KeyList"][key]["Assignment"].asUInt());
    }

    test::TempFolder folder_;
    MacroListModel model_;
};

TEST_F(MacroDeleteFlowTest, EveryProfileFollowsTheNewMacroNumbers) {
    ASSERT_EQ(model_.SelectMacro(1), MacroStatus::Ok);
    EXPECT_EQ(CountKeysBoundToMacroInProfiles(folder_.Path(), 1), 2);
    EXPECT_EQ(CountKeysBoundToMacroInProfile(folder_.Path(), test::FixtureGuid(100), 1), 1);
    EXPECT_EQ(CountKeysBoundToMacroInProfile(folder_.Path(), test::FixtureGuid(102), 1), 0);
    EXPECT_EQ(CountKeysBoundToMacroInProfile(folder_.Path(), "../elsewhere", 0), 0);
    const std::string untouched = ReadText(Document(2));

    MacroKeyChanges changes;
    ASSERT_EQ(DeleteMacroAndFixKeys(model_, folder_.Path(), changes), MacroStatus::Ok);
    EXPECT_EQ(changes.keysFreed, 2);
    EXPECT_EQ(changes.keysRenumbered, 1);
    EXPECT_EQ(changes.profiles, 2);
    EXPECT_EQ(model_.GetMacroNames(), (std::vector<std::string>{"macro_1", "macro_3"}));

    EXPECT_EQ(Key(0, 0), (KeyAssignment{0x70, 1, 1}));  // macro 2 is now macro 1
    EXPECT_EQ(Key(0, 1), kKeyB);                        // played the deleted macro
    EXPECT_EQ(Key(0, 2), kKeyA);
    EXPECT_EQ(Key(1, 0), kKeyA);
    EXPECT_EQ(Key(1, 1), (KeyAssignment{0x70, 0, 0}));
    EXPECT_EQ(ReadText(Document(2)), untouched);
    // Only "Assignment" changes; the document keeps its name and identity.
    EXPECT_EQ(readjsonFile(Document(0))["profilename"], "profile1");
    EXPECT_EQ(readjsonFile(Document(0))["Device"][0]["KeyList"][1]["DefaultAssignment"].asUInt(), kKeyB.Pack());
}

TEST_F(MacroDeleteFlowTest, AllOrNothing) {
    ASSERT_EQ(model_.SelectMacro(0), MacroStatus::Ok);
    const std::string list = ReadText(folder_ / "macro.config");
    const std::string profiles[] = {ReadText(Document(0)), ReadText(Document(1)), ReadText(Document(2))};
    MacroKeyChanges changes;
    {
        // No profile can be written: nothing changes.
        test::FileSizeLimit full;
        EXPECT_EQ(DeleteMacroAndFixKeys(model_, folder_.Path(), changes), MacroStatus::WriteFailed);
    }
    // The macro list cannot be changed after the profiles were: they get their old content back.
    std::filesystem::remove(folder_ / "macro.config");
    EXPECT_NE(DeleteMacroAndFixKeys(model_, folder_.Path(), changes), MacroStatus::Ok);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadText(Document(i)), profiles[i]) << i;
    EXPECT_EQ(changes.profiles, 0);
    test::WriteText(folder_ / "macro.config", list);
    model_.LoadMacroList();
    EXPECT_EQ(model_.GetMacroNames().size(), 3u);

    MacroListModel none;
    EXPECT_EQ(DeleteMacroAndFixKeys(none, folder_.Path(), changes), MacroStatus::NoSelection);
}

}  // namespace
}  // namespace morvek
