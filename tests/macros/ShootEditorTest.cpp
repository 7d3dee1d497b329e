#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/writer.h>

#include "MacroFixtures.h"
#include "macros/ShootEditor.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using test::ReadText;
using test::WriteText;

Json::Value Parse(const std::string& text) {
    Json::Value v;
    Json::Reader().parse(text, v);
    return v;
}

// A default pattern whose bullets all move by the gun number.
Json::Value DefaultPattern(int gun) {
    Json::Value document(Json::objectValue);
    document["Name"] = "gun " + std::to_string(gun);
    for (int b = 0; b < ShootFile::kBulletCount; ++b)
        ShootFile::WriteBullet(document, b, {gun, gun + 1, 50 + gun, gun % 2 == 0, false});
    return document;
}

class ShootEditorTest : public ::testing::Test {
protected:
    ShootEditorTest() {
        std::filesystem::create_directories(defaults_ / "DefaultData");
        std::filesystem::create_directories(user_ / "mouse");
        for (int gun = 0; gun < ShootFile::kGunCount; ++gun)
            WriteJsonFile(ShootFile::PathIn(defaults_ / "DefaultData", gun), DefaultPattern(gun));
        editor_.SetUserFolder(user_ / "mouse");
        editor_.SetDefaultFolder(defaults_ / "DefaultData");
    }

    test::TempFolder user_;
    test::TempFolder defaults_;
    ShootEditor editor_;
};

TEST_F(ShootEditorTest, BulletZeroExample) {
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    ASSERT_EQ(editor_.SaveBullet(0, 0, {3, 12, 60, false, false}), ShootStatus::Ok);
    const Json::Value saved = readjsonFile(editor_.UserFile(0));
    const Json::Value expected = Parse(R"([
        {"Action": "down", "Button": 1, "Delay": 10, "Type": 1},
        {"Action": "up", "Button": 1, "Delay": 0, "Type": 1},
        {"Action": "up", "Button": 3, "Delay": 5, "Type": 4},
        {"Action": "up", "Button": 12, "Delay": 60, "Type": 5},
        {"Action": "up", "Button": 0, "Delay": 0, "Type": 4},
        {"Action": "up", "Button": 0, "Delay": 0, "Type": 5}])");
    ASSERT_EQ(saved["Events"].size(), 180u);
    for (Json::ArrayIndex i = 0; i < 6; ++i) EXPECT_EQ(saved["Events"][i], expected[i]) << i;
    // The rest of the file is kept, and the file is in the styled layout.
    EXPECT_EQ(saved["Name"], "gun 0");
    EXPECT_EQ(saved["Events"][6], DefaultPattern(0)["Events"][6]);
    Json::StyledWriter writer;
    EXPECT_EQ(ReadText(editor_.UserFile(0)), writer.write(saved));

    EXPECT_EQ(editor_.LoadBullet(0, 0), (BulletStep{3, 12, 60, false, false}));
    ASSERT_EQ(editor_.SaveBullet(0, 0, {7, 8, 9, true, true}), ShootStatus::Ok);
    EXPECT_EQ(editor_.LoadBullet(0, 0), (BulletStep{7, 8, 9, true, true}));

    // The whole gun at once, as its chart shows it.
    const std::vector<BulletStep> gun = editor_.LoadGun(0);
    ASSERT_EQ(gun.size(), 30u);
    EXPECT_EQ(gun[0], (BulletStep{7, 8, 9, true, true}));
    EXPECT_EQ(gun[29], (BulletStep{0, 1, 50, true, false}));
    EXPECT_TRUE(editor_.LoadGun(4).empty());
}

TEST_F(ShootEditorTest, SavingABulletPastTheEndFillsTheGapWithNull) {
    WriteText(editor_.UserFile(1), R"({"Events": [1,2,3,4,5,6,7,8,9,10,11,12], "Extra": true})");
    ASSERT_EQ(editor_.SaveBullet(1, 10, {1, 2, 3, true, false}), ShootStatus::Ok);
    const Json::Value saved = readjsonFile(editor_.UserFile(1));
    ASSERT_EQ(saved["Events"].size(), 66u);
    EXPECT_EQ(saved["Events"][11], 12);
    for (Json::ArrayIndex i = 12; i < 60; ++i) EXPECT_TRUE(saved["Events"][i].isNull()) << i;
    EXPECT_EQ(saved["Events"][62]["Action"], "down");
    EXPECT_EQ(saved["Events"][63]["Action"], "up");
    EXPECT_EQ(saved["Extra"], true);

    // A file that is not a pattern at all becomes one holding just this bullet.
    for (const char* text : {"not json", R"({"Events": "x"})", "[1]"}) {
        WriteText(editor_.UserFile(2), text);
        ASSERT_EQ(editor_.SaveBullet(2, 0, {1, 2, 3, false, true}), ShootStatus::Ok) << text;
        EXPECT_EQ(readjsonFile(editor_.UserFile(2))["Events"].size(), 6u) << text;
    }
    EXPECT_EQ(editor_.SaveBullet(4, 0, {}), ShootStatus::OutOfRange);
    EXPECT_EQ(editor_.SaveBullet(0, 30, {}), ShootStatus::OutOfRange);
}

TEST_F(ShootEditorTest, LoadingToleratesOtherForms) {
    struct Case {
        const char* events;
        BulletStep step;
    } cases[] = {
        // The text form of macro files, and "Down" in any case.
        {R"([0, 0, {"Action": "DOWN", "Button": "3", "Type": 4}, {"Action": "Down", "Button": "12", "Delay": "60"}])",
         {3, 12, 60, true, true}},
        {R"([0, 0, {"Action": 1, "Button": [3]}, {"Button": {"x": 1}, "Delay": null}])", {0, 0, 0, false, false}},
        {R"([])", {}},
    };
    for (const Case& c : cases) {
        WriteText(editor_.UserFile(3), std::string(R"({"Events": )") + c.events + "}");
        EXPECT_EQ(editor_.LoadBullet(3, 0), c.step) << c.events;
    }
    EXPECT_EQ(editor_.LoadBullet(0, 0), BulletStep{});  // no user file yet
}

TEST_F(ShootEditorTest, SelectionStaysWithinTheGunsAndBullets) {
    EXPECT_EQ(editor_.CurrentBullet(), -1);
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    EXPECT_EQ(editor_.CurrentBullet(), 0);  // each reset shows the current bullet again
    editor_.SelectGun(2);
    EXPECT_EQ(editor_.SelectBullet(29), (BulletStep{2, 3, 52, true, false}));
    editor_.SelectNextBullet();
    EXPECT_EQ(editor_.CurrentBullet(), 29);
    editor_.SelectBullet(0);
    editor_.SelectPreviousBullet();
    EXPECT_EQ(editor_.CurrentBullet(), 0);
    editor_.SelectGun(9);
    EXPECT_EQ(editor_.CurrentGun(), 3);
    editor_.SelectGun(-1);
    EXPECT_EQ(editor_.CurrentGun(), 0);
}

TEST_F(ShootEditorTest, InitAndResetCopyTheDefaultsOfOneGunOnly) {
    WriteText(editor_.UserFile(1), R"({"Events": [], "Mine": 1})");
    WriteText(editor_.UserFile(3), "broken");
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    EXPECT_EQ(ReadText(editor_.UserFile(0)), ReadText(editor_.DefaultFile(0)));
    EXPECT_EQ(readjsonFile(editor_.UserFile(1))["Mine"], 1);  // readable files stay
    EXPECT_EQ(ReadText(editor_.UserFile(3)), ReadText(editor_.DefaultFile(3)));

    for (int gun = 0; gun < ShootFile::kGunCount; ++gun) editor_.SaveBullet(gun, 5, {9, 9, 9, true, true});
    ASSERT_EQ(editor_.ResetGun(2), ShootStatus::Ok);
    for (int gun = 0; gun < ShootFile::kGunCount; ++gun)
        EXPECT_EQ(editor_.LoadBullet(gun, 5) == (BulletStep{9, 9, 9, true, true}), gun != 2) << gun;
    EXPECT_EQ(ReadText(editor_.UserFile(2)), ReadText(editor_.DefaultFile(2)));
    EXPECT_EQ(editor_.CurrentBullet(), 0);

    // Without its default the user's pattern is kept.
    std::filesystem::remove(editor_.DefaultFile(2));
    const std::string before = ReadText(editor_.UserFile(2));
    EXPECT_EQ(editor_.ResetGun(2), ShootStatus::NoDefault);
    EXPECT_EQ(ReadText(editor_.UserFile(2)), before);
    EXPECT_EQ(editor_.ResetGun(4), ShootStatus::OutOfRange);
}

// One case per class of damaged default: the reset is refused, so the gun keeps what it has
// instead of a copy that reads as a pattern of zeros.
TEST_F(ShootEditorTest, ADamagedDefaultIsRefused) {
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    const std::string before = ReadText(editor_.UserFile(1));
    const std::string sound = ReadText(editor_.DefaultFile(1));
    struct Case {
        std::string text;
        ShootStatus status;
    } cases[] = {
        {sound.substr(0, sound.size() / 2), ShootStatus::DamagedDefault},  // cut short
        {"", ShootStatus::DamagedDefault},
        {"[1, 2]", ShootStatus::DamagedDefault},
        {R"({"Name": "no events"})", ShootStatus::DamagedDefault},
        {R"({"Events": 5})", ShootStatus::DamagedDefault},
    };
    for (const Case& c : cases) {
        WriteText(editor_.DefaultFile(1), c.text);
        EXPECT_EQ(editor_.ResetGun(1), c.status) << c.text;
        EXPECT_EQ(ReadText(editor_.UserFile(1)), before) << c.text;
    }
    // A gun without a user pattern does not get one from a damaged default either.
    std::filesystem::remove(editor_.UserFile(1));
    EXPECT_EQ(editor_.InitShootData(), ShootStatus::DamagedDefault);
    EXPECT_FALSE(std::filesystem::exists(editor_.UserFile(1)));
    EXPECT_EQ(editor_.CheckUserFile(1), ShootStatus::NoFile);
    EXPECT_EQ(editor_.CheckUserFile(0), ShootStatus::Ok);
}

// A damaged user pattern is replaced by its default at set-up, but kept beside itself first.
TEST_F(ShootEditorTest, ADamagedUserPatternIsKeptBeforeItsDefaultReplacesIt) {
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    WriteText(editor_.UserFile(2), R"({"Events": [{"Type": 1)");
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    ASSERT_EQ(editor_.DamagedFilesKept(), std::vector<std::filesystem::path>{editor_.UserFile(2).string() + ".damaged"});
    EXPECT_EQ(ReadText(editor_.UserFile(2).string() + ".damaged"), R"({"Events": [{"Type": 1)");
    EXPECT_EQ(readjsonFile(editor_.UserFile(2)), DefaultPattern(2));
    EXPECT_EQ(editor_.CheckUserFile(2), ShootStatus::Ok);
}

TEST_F(ShootEditorTest, ImportAndExportActOnTheCurrentGun) {
    ASSERT_EQ(editor_.InitShootData(), ShootStatus::Ok);
    editor_.SelectGun(1);
    const auto exported = user_ / "gun1.shoot";
    ASSERT_EQ(editor_.ExportGun(exported), ShootStatus::Ok);
    EXPECT_EQ(ReadText(exported), ReadText(editor_.UserFile(1)));

    editor_.SelectGun(3);
    ASSERT_EQ(editor_.ImportGun(exported), ShootStatus::Ok);
    EXPECT_EQ(editor_.LoadBullet(3, 7), (BulletStep{1, 2, 51, false, false}));
    EXPECT_EQ(readjsonFile(editor_.UserFile(3)), readjsonFile(exported));

    // Files that are not patterns are refused and the gun keeps its pattern.
    const std::string before = ReadText(editor_.UserFile(3));
    WriteText(user_ / "text.shoot", "hello");
    WriteText(user_ / "object.shoot", R"({"Events": 3})");
    for (const char* name : {"text.shoot", "object.shoot", "missing.shoot"})
        EXPECT_EQ(editor_.ImportGun(user_ / name), ShootStatus::NotAShootFile) << name;
    EXPECT_EQ(editor_.ImportGun({}), ShootStatus::NotAShootFile);
    EXPECT_EQ(ReadText(editor_.UserFile(3)), before);

    std::filesystem::remove(editor_.UserFile(3));
    EXPECT_EQ(editor_.ExportGun(user_ / "none.shoot"), ShootStatus::NoFile);
    EXPECT_FALSE(std::filesystem::exists(user_ / "none.shoot"));
}

}  // namespace
}  // namespace morvek
