#include <gtest/gtest.h>

#include "ProfileFixtures.h"
#include "devicelink/DeviceTables.h"
#include "profiles/BasicProfiledata.h"
#include "profiles/DefaultData.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using test::ParseJson;

TEST(DefaultDataTest, FileLocationsAndClassNumbersByKind) {
    const std::filesystem::path folder = "/p";
    EXPECT_EQ(LightConfigFile(folder, kKindHeadset), "/p/velko_light.config");
    EXPECT_EQ(MacroNameListFile(folder, kKindKeyboard), "/p/macro.config");
    EXPECT_EQ(MacroNameListFile(folder, kKindWirelessMouse), "/p/macro.config");
    EXPECT_EQ(MacroNameListFile(folder, kKindMousePad), "/p/velko_macro.config");
    EXPECT_EQ(MacroNameListFile(folder, kKindHeadset), "/p/velko_macro.config");
    EXPECT_EQ(DeviceClassOfKind(kKindKeyboard), kClassKeyboard);
    EXPECT_EQ(DeviceClassOfKind(kKindWirelessMouse), kClassMouse);
    EXPECT_EQ(DeviceClassOfKind(kKindMousePad), kClassMousePad);
    EXPECT_EQ(DeviceClassOfKind(kKindHeadset), kClassHeadset);
    EXPECT_EQ(DeviceClassOfKind(4), -1);
}

TEST(DefaultDataTest, PageNameListsTakeTheElementOfTheClassAndKeepTheirListsWhenItIsMissing) {
    test::TempFolder data;
    const auto profileFolder = data / "MousePad";
    const auto defaultFolder = data / "DefaultData";
    std::filesystem::create_directories(profileFolder);
    std::filesystem::create_directories(defaultFolder);

    // No files at all: a fresh page's lists stay empty.
    PageNameLists lists;
    lists.Load(kKindMousePad, profileFolder, defaultFolder);
    EXPECT_TRUE(lists.macroNames.empty());
    EXPECT_TRUE(lists.effects.empty());
    EXPECT_TRUE(lists.areas.empty());
    EXPECT_TRUE(lists.userEffects.empty());

    test::WriteJson(profileFolder / "velko_macro.config",
                    ParseJson(R"({"MacroInfo": [{"MacroName": "m1"}, {"MacroName": "m2", "Guid": "g"}]})"));
    test::WriteJson(profileFolder / "macro.config", ParseJson(R"({"MacroInfo": [{"MacroName": "not for the pad"}]})"));
    test::WriteJson(defaultFolder / "default_light.json", ParseJson(R"({
        "DefaultLightName": [[{"LightName": "kb"}], [], [{"LightName": "wave", "visible": true},
                                                       {"LightName": "off", "visible": false},
                                                       {"LightName": "plain"}]],
        "AreaLightName": [[], [], [{"LightName": "edge"}, {"LightName": "logo"}]]})"));
    test::WriteJson(profileFolder / "velko_light.config",
                    ParseJson(R"({"LightInfo": [[], [], [{"LightName": "mine", "Guid": "2026_01_01_00_00_00_000"}]]})"));
    lists.Load(kKindMousePad, profileFolder, defaultFolder);
    EXPECT_EQ(lists.macroNames, (std::vector<std::string>{"m1", "m2"}));
    EXPECT_EQ(lists.effects, (std::vector<LightEffectName>{{"wave", true}, {"off", false}, {"plain", true}}));
    EXPECT_EQ(lists.areas, (std::vector<std::string>{"edge", "logo"}));
    EXPECT_EQ(lists.userEffects, std::vector<std::string>{"mine"});

    // The headset (class 3) has no elements in these files: its lists stay; the macro list
    // is always read anew.
    lists.Load(kKindHeadset, profileFolder, defaultFolder);
    EXPECT_EQ(lists.effects.size(), 3u);
    EXPECT_EQ(lists.areas.size(), 2u);
    EXPECT_EQ(lists.userEffects.size(), 1u);
    std::filesystem::remove(profileFolder / "velko_macro.config");
    lists.Load(kKindMousePad, profileFolder, defaultFolder);
    EXPECT_TRUE(lists.macroNames.empty());
}

TEST(DefaultDataTest, LightEffectStepsComeFromTheProfileFolderByTheSelectedGuid) {
    test::TempFolder data;
    const std::string guid = "2026_02_03_04_05_06_007";
    test::WriteJson(data / "velko_light.config", ParseJson(R"({"LightInfo": [[
        {"LightName": "first", "Guid": ")" + guid + R"("},
        {"LightName": "escape", "Guid": "outside"}]]})"));
    test::WriteJson(data / (guid + ".light"), ParseJson(R"({"LEDEffectList": [
        {"LEDREGMode": 1, "LEDDirection": 0, "LEDBrightness": 4, "LEDSpeed": 2, "LEDMultiColor": 0,
         "red": 255, "green": 256, "blue": 3, "Time": 500, "Cyle": 2},
        {"LEDREGMode": 2, "Time": 1500}]})"));
    test::WriteJson(data / "outside.light", ParseJson(R"({"LEDEffectList": [{"LEDREGMode": 9}]})"));
    test::WriteJson(data / "profile.Json", ParseJson(R"({"Device": [{"LightInfo": {"SelectItem": 0}}]})"));

    CBasicProfiledata doc;
    doc.LoadDeviceSection(data / "profile.Json");
    doc.SetLightConfigPath(data / "velko_light.config");
    ASSERT_TRUE(doc.LoadLightConfig());
    const auto steps = doc.ReadLightEffect();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0], (LightEffectStep{1, 0, 4, 2, 0, 255, 0, 3, 500, 2}));
    EXPECT_EQ(steps[1], (LightEffectStep{2, 0, 0, 0, 0, 0, 0, 0, 1500, 0}));

    // A Guid that is not a plain id names no file; an effect number beyond the list, a missing
    // effect file or a missing configuration empty the steps.
    for (const char* selectItem : {"1", "5"}) {
        test::WriteJson(data / "profile.Json",
                        ParseJson(std::string(R"({"Device": [{"LightInfo": {"SelectItem": )") + selectItem + "}}]}"));
        doc.LoadDeviceSection(data / "profile.Json");
        ASSERT_TRUE(doc.ReadLightEffect().empty()) << selectItem;
        doc.SetLightConfigPath(data / "velko_light.config");
    }
    test::WriteJson(data / "profile.Json", ParseJson(R"({"Device": [{"LightInfo": {"SelectItem": 0}}]})"));
    doc.LoadDeviceSection(data / "profile.Json");
    std::filesystem::remove(data / (guid + ".light"));
    EXPECT_TRUE(doc.ReadLightEffect().empty());
    doc.SetLightConfigPath(data / "missing.config");
    EXPECT_FALSE(doc.LoadLightConfig());
    EXPECT_TRUE(doc.ReadLightEffect().empty());
}

TEST(DefaultDataTest, LanguageListInOrder) {
    const auto languages = ReadLanguageList(ParseJson(R"({"Language": [
        {"Language_text": "English", "Language_name": "en", "Language_file": "en.xml", "Language_ID": 1033},
        {"Language_text": "Deutsch", "Language_name": "de", "Language_file": "de.xml", "Language_ID": 1031}]})"));
    EXPECT_EQ(languages, (std::vector<LanguageEntry>{{"English", "en", "en.xml", 1033}, {"Deutsch", "de", "de.xml", 1031}}));
    EXPECT_TRUE(ReadLanguageList(ParseJson("[1]")).empty());
}

}  // namespace
}  // namespace morvek
