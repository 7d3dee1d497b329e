#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ProfileFixtures.h"
#include "profiles/BasicProfiledata.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using test::ParseJson;

// A document object loaded from a file holding "Device": [section] plus a name and an id.
template <typename Document>
struct Loaded {
    test::TempFolder folder;
    Document doc;

    explicit Loaded(const std::string& sectionJson) {
        Json::Value document;
        document["profilename"] = "Mine";
        document["profileUUID"] = "2026_01_05_07_08_09_042";
        document["Device"][0] = ParseJson(sectionJson);
        test::WriteJson(Path(), document);
        doc.SetDocumentPath(Path());
        doc.LoadDeviceSection(Path());
    }
    std::filesystem::path Path() const { return folder / "2026_01_05_07_08_09_042.Json"; }
    Json::Value File() const { return readjsonFile(Path()); }
    Json::Value FileSection() const { return File()["Device"][0]; }
};

TEST(ProfileDocumentTest, LightInfoPacksIntoThreeWordsAndWritesMultiColorAsANumber) {
    Loaded<CBasicProfiledata> p(R"({"LightInfo": {"SelectItem": 5, "Light": 260, "Speed": 3, "Fx": 1,
        "MultiColor": true, "Red": 16, "Green": 32, "Blue": 48, "CustomGroup": 2}})");
    const LightInfoWords words = p.doc.ReadLightInfo();
    EXPECT_EQ(words[0], 5u | 4u << 8 | 3u << 16 | 1u << 24);  // 260 is cut to 8 bits
    EXPECT_EQ(words[1], 1u | 16u << 8 | 32u << 16 | 48u << 24);
    EXPECT_EQ(words[2], 2u << 24);

    p.doc.WriteLightInfo({7u | 1u << 8, 2u | 200u << 8, 9u << 24});
    EXPECT_EQ(p.File()["Device"][0]["LightInfo"]["MultiColor"], true) << "writers change memory only";
    ASSERT_TRUE(p.doc.Save());
    const Json::Value info = p.FileSection()["LightInfo"];
    EXPECT_TRUE(info["MultiColor"].isInt());
    EXPECT_EQ(info["MultiColor"].asInt(), 1);
    EXPECT_EQ(info["SelectItem"].asInt(), 7);
    EXPECT_EQ(info["Light"].asInt(), 1);
    EXPECT_EQ(info["Red"].asInt(), 200);
    EXPECT_EQ(info["CustomGroup"].asInt(), 9);
    EXPECT_EQ(info.size(), 9u);
    EXPECT_TRUE(test::IsStyledJson(p.Path()));
}

TEST(ProfileDocumentTest, KeyListReadsPackedAssignmentsAndWritesOnlyAssignment) {
    Loaded<CBasicProfiledata> p(R"({"KeyList": [
        {"Assignment": 7340805, "DefaultAssignment": 2097156, "Note": "kept"},
        {"Assignment": 2097157, "DefaultAssignment": 2097157},
        {"Assignment": 2097158, "DefaultAssignment": 2097158}]})");
    const std::vector<KeyListEntry> keys = p.doc.ReadKeyList();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].current, (KeyAssignment{0x70, 3, 5}));
    EXPECT_EQ(keys[0].defaults, (KeyAssignment{0x20, 0, 4}));
    EXPECT_EQ(keys[2].index, 2);
    EXPECT_EQ(keys[2].defaultIndex, 2);
    EXPECT_EQ((KeyAssignment{0x70, 3, 5}).Pack(), 7340805u);

    std::vector<KeyListEntry> changed = {keys[0], keys[1]};
    changed[0].current = {0x10, 1, 0};
    changed[0].defaults = {0x40, 1, 0};  // never written
    changed[1].current = {0x20, 0, 0};
    p.doc.WriteKeyList(changed);
    ASSERT_TRUE(p.doc.Save());
    const Json::Value list = p.FileSection()["KeyList"];
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]["Assignment"].asInt(), 0x100100);
    EXPECT_EQ(list[0]["DefaultAssignment"].asInt(), 2097156);
    EXPECT_EQ(list[0]["Note"].asString(), "kept");
    EXPECT_EQ(list[1]["Assignment"].asInt(), 0x200000);
    EXPECT_EQ(list[2]["Assignment"].asInt(), 2097158);
}

TEST(ProfileDocumentTest, LightListNullElementsAreRecordsWithoutThePresentFlag) {
    Loaded<CBasicProfiledata> p(R"({"LightList": [
        {"LEDREGMode": 2, "LEDBrightness": 4, "LEDSpeed": 1, "LEDMultiColor": true, "LEDDirection": false,
         "red": 1, "green": 2, "blue": 259},
        null]})");
    const auto& leds = p.doc.ReadLightList();
    ASSERT_EQ(leds.size(), 2u);
    EXPECT_EQ(leds[0], (LedRecord{2, 4, 1, false, true, 1, 2, 3, true}));
    EXPECT_EQ(leds[1], LedRecord{});
}

TEST(ProfileDocumentTest, KeyboardSystemWordsAndCustomLightGroups) {
    Loaded<CKeyboardProfiledata> p(R"({
        "SystemStages": {"Repeat": 3, "RepeatDelay": 2, "Key6Flag": 1, "PollingRate": 1000, "WFlag": 0,
                         "WinFlag": 65537},
        "CustomLightMode": {"CustomLightModeGroupIndex": 1,
                            "LightColorInfo": [[], [{"Red": 1, "Green": 2, "Blue": 3, "Alpha": 4}]]}})");
    EXPECT_EQ(p.doc.ReadKeyboardSystem(), (KeyboardSystemWords{2u << 16 | 3u, 1000u << 16 | 1u, 1u << 16}));
    p.doc.WriteKeyboardSystem({5u << 16 | 6u, 125u << 16, 1u});
    EXPECT_EQ(p.doc.DeviceSection()["SystemStages"]["RepeatDelay"].asInt(), 5);
    EXPECT_EQ(p.doc.DeviceSection()["SystemStages"]["PollingRate"].asInt(), 125);
    EXPECT_EQ(p.doc.DeviceSection()["SystemStages"]["WFlag"].asInt(), 1);

    EXPECT_EQ(p.doc.GetCustomLightGroup(), 1);
    // Colours the group lacks are created as zeros in memory; the file changes only on Save.
    const auto colours = p.doc.ReadCustomLightColors(1, 3);
    EXPECT_EQ(colours, (std::vector<LightColor>{{1, 2, 3, 4}, {}, {}}));
    EXPECT_EQ(p.doc.DeviceSection()["CustomLightMode"]["LightColorInfo"][1][2]["Alpha"], 0);
    EXPECT_EQ(p.File()["Device"][0]["CustomLightMode"]["LightColorInfo"][1].size(), 1u);

    p.doc.WriteCustomLightColors(2, {{9, 8, 7, 6}});
    p.doc.SetCustomLightGroup(2);
    ASSERT_TRUE(p.doc.Save());
    const Json::Value mode = p.FileSection()["CustomLightMode"];
    EXPECT_EQ(mode["CustomLightModeGroupIndex"].asInt(), 2);
    EXPECT_EQ(mode["LightColorInfo"][1].size(), 3u);
    EXPECT_EQ(mode["LightColorInfo"][2][0]["Red"].asInt(), 9);
    EXPECT_EQ(mode["LightColorInfo"][2][0]["Alpha"].asInt(), 6);

    // A tampered group number neither reads nor grows the document.
    EXPECT_TRUE(p.doc.ReadCustomLightColors(1000000000, 126).empty());
    EXPECT_TRUE(p.doc.ReadCustomLightColors(-1, 126).empty());
    EXPECT_EQ(p.doc.DeviceSection()["CustomLightMode"]["LightColorInfo"].size(), 3u);
}

TEST(ProfileDocumentTest, MouseStagesOfAShorterProfileLeaveTheLaterOnesInMemory) {
    const std::string stage = R"({"StageActive": 1, "StageXY": 0, "StageDPIX": %d, "StageDPIY": %d,
                                  "StageColorR": 255, "StageColorG": 0, "StageColorB": 0})";
    auto stages = [&](int count, int base) {
        std::string list;
        for (int i = 0; i < count; ++i) {
            char text[256];
            std::snprintf(text, sizeof text, stage.c_str(), base + i, base + i);
            list += (i ? "," : "") + std::string(text);
        }
        return R"({"DPIStages": {"StageActive": )" + std::to_string(count - 1) + R"(, "StageDPIs": [)" + list + "]}}";
    };
    Loaded<CMouseProfiledata> five(stages(5, 10));
    CMouseProfiledata& mouse = five.doc;
    ASSERT_EQ(mouse.ReadDpiStages().size(), 5u);
    EXPECT_EQ(mouse.GetCurrentDpiStage(), 4);

    test::WriteJson(five.Path(), ParseJson(R"({"Device": [)" + stages(3, 100) + "]}"));
    mouse.LoadDeviceSection(five.Path());
    const auto& read = mouse.ReadDpiStages();
    ASSERT_EQ(read.size(), 5u);
    EXPECT_EQ(read[0].dpiX, 100);
    EXPECT_EQ(read[2].dpiY, 102);
    EXPECT_EQ(read[3].dpiX, 13) << "stage 3 of the earlier profile stays";
    EXPECT_EQ(read[4].dpiX, 14);
    EXPECT_EQ(mouse.GetCurrentDpiStage(), 2);

    // A document without "DPIStages" changes nothing.
    test::WriteJson(five.Path(), ParseJson(R"({"Device": [{}]})"));
    mouse.LoadDeviceSection(five.Path());
    EXPECT_EQ(mouse.ReadDpiStages().size(), 5u);

    // Writing sets the first n stages and leaves the document's later ones.
    test::WriteJson(five.Path(), ParseJson(R"({"Device": [)" + stages(3, 100) + "]}"));
    mouse.LoadDeviceSection(five.Path());
    mouse.WriteDpiStages({{1, 1, 800, 400, 1, 2, 3}});
    mouse.SetCurrentDpiStage(0);
    ASSERT_TRUE(mouse.Save());
    const Json::Value dpi = five.FileSection()["DPIStages"];
    EXPECT_EQ(dpi["StageActive"].asInt(), 0);
    ASSERT_EQ(dpi["StageDPIs"].size(), 3u);
    EXPECT_EQ(dpi["StageDPIs"][0]["StageDPIX"].asInt(), 800);
    EXPECT_EQ(dpi["StageDPIs"][0]["StageXY"].asInt(), 1);
    EXPECT_EQ(dpi["StageDPIs"][0]["StageColorB"].asInt(), 3);
    EXPECT_EQ(dpi["StageDPIs"][1]["StageDPIX"].asInt(), 101);
    EXPECT_EQ(mouse.DpiStages().size(), 1u);
}

TEST(ProfileDocumentTest, DpiStageBytesAreLittleEndian) {
    const DpiStageRecord stage{1, 0, 0x0320, 0x0190, 0xFF, 0x10, 0x00};
    const std::array<uint8_t, 9> bytes{1, 0, 0x20, 0x03, 0x90, 0x01, 0xFF, 0x10, 0x00};
    EXPECT_EQ(stage.ToBytes(), bytes);
    EXPECT_EQ(DpiStageRecord::FromBytes(bytes), stage);
}

TEST(ProfileDocumentTest, MouseSystemWordsTakeThePollingRateOnlyWithReportStages) {
    struct Case {
        const char* section;
        MouseSystemWords words;
    } cases[] = {
        {R"({"SystemStages": {"DoubleClickTime": 5, "MouseSpeed": 10, "PointerPrecision": 1, "ScorllPage": 1,
             "WheelScorlllinse": 3}, "ReportStages": {"StageActive": 2}})",
         {10u << 16 | 5u, 1u << 16 | 1u, 2u << 16 | 3u}},
        {R"({"SystemStages": {"WheelScorlllinse": 3}})", {0, 0, 3}},
        {R"({"ReportStages": {"StageActive": 2}})", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        Loaded<CMouseProfiledata> p(c.section);
        EXPECT_EQ(p.doc.ReadMouseSystem(), c.words) << c.section;
    }
    Loaded<CMouseProfiledata> p("{}");
    p.doc.WriteMouseSystem({10u << 16 | 5u, 1u, 3u << 16 | 7u});
    EXPECT_EQ(p.doc.DeviceSection()["SystemStages"]["MouseSpeed"].asInt(), 10);
    EXPECT_EQ(p.doc.DeviceSection()["SystemStages"]["WheelScorlllinse"].asInt(), 7);
    EXPECT_EQ(p.doc.DeviceSection()["ReportStages"]["StageActive"].asInt(), 3);
    EXPECT_EQ(p.doc.ReadMouseSystem(), (MouseSystemWords{10u << 16 | 5u, 1u, 3u << 16 | 7u}));
}

TEST(ProfileDocumentTest, MouseCorrectionsAreRead) {
    Loaded<CMouseProfiledata> p(R"({"CorrectInfo": [
        {"CorrectPixThresh": 4, "CorrectMinSq": 300, "CorrectSelect": 1, "CorrectName": "Stra\u00dfe"}, 7]})");
    EXPECT_EQ(p.doc.ReadCorrections(),
              (std::vector<CorrectionEntry>{{4, 44, 1, "Stra\xc3\x9f" "e"}, {0, 0, 0, ""}}));
}

TEST(ProfileDocumentTest, HeadsetEqualiserSlotsByType) {
    Loaded<CHs6533Profiledata> p(R"({"SystemSetStages": {"MagicEnable": 1, "MagicType": 2, "EqType": 14,
        "CustomEqSeletIndex": 0, "MicInSelect": 1, "MicInValue": 20, "MicMoniterSelect": 0, "MicMoniterValue": 7},
        "EQHzValueInfo": [[], [{"value": 1}, {"value": 2}, {"value": 3}, {"value": 4}, {"value": 5},
                                {"value": 6}, {"value": 7}, {"value": 8}, {"value": 9}, {"value": -10}]]})");
    EXPECT_EQ(p.doc.ReadHeadsetSystem(), (HeadsetSystemValues{1, 2, 14, 0, 1, 20, 0, 7}));
    const std::vector<int> preset1 = {1, 2, 3, 4, 5, 6, 7, 8, 9, -10};
    EXPECT_EQ(p.doc.ReadEqBands(0), preset1);
    EXPECT_EQ(p.doc.ReadEqBands(14), preset1);
    EXPECT_EQ(p.doc.ReadEqBands(1), preset1);
    EXPECT_TRUE(p.doc.ReadEqBands(13).empty());

    p.doc.WriteEqBands(14, {0, 0, 0, 0, 0, 0, 0, 0, 0, 11});
    p.doc.WriteEqBands(13, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5});  // no slot: nothing happens
    EXPECT_EQ(p.doc.DeviceSection()["EQHzValueInfo"][1][9]["value"].asInt(), 11);
    EXPECT_EQ(p.doc.DeviceSection()["EQHzValueInfo"].size(), 2u);
    EXPECT_EQ(p.doc.ReadEqBands(0)[9], 11);

    p.doc.WriteHeadsetSystem({0, 0, 13, 1, 0, 0, 0, 0});
    EXPECT_EQ(p.doc.DeviceSection()["SystemSetStages"]["EqType"].asInt(), 13);
    EXPECT_EQ(p.doc.DeviceSection()["SystemSetStages"]["CustomEqSeletIndex"].asInt(), 1);
}

TEST(ProfileDocumentTest, HeadsetWithoutEqualiserValuesReadsZerosAndKeepsThemInMemory) {
    Loaded<CHs6533Profiledata> p("{}");
    EXPECT_EQ(p.doc.ReadHeadsetSystem(), HeadsetSystemValues{});
    EXPECT_EQ(p.doc.ReadEqBands(7), std::vector<int>(10, 0));
    const Json::Value& slot = p.doc.DeviceSection()["EQHzValueInfo"][7];
    ASSERT_EQ(slot.size(), 10u);
    EXPECT_EQ(slot[9]["value"], 0);
    EXPECT_FALSE(p.File()["Device"][0].isMember("EQHzValueInfo"));
}

TEST(ProfileDocumentTest, HeadsetUserEqualisers) {
    Loaded<CHs6533Profiledata> p(R"({"CustomEQNameInfo": [{"Name": "Bass"}, {"Name": "Talk"}]})");
    EXPECT_EQ(p.doc.ReadCustomEqNames(), (std::vector<std::string>{"Bass", "Talk"}));
    EXPECT_EQ(p.doc.ReadCustomEqBands(1), std::vector<int>(10, 0));
    p.doc.WriteCustomEqNames({"Only"});
    p.doc.WriteCustomEqBands(0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 2});
    ASSERT_TRUE(p.doc.Save());
    const Json::Value section = p.FileSection();
    EXPECT_EQ(section["CustomEQNameInfo"], ParseJson(R"([{"Name": "Only"}])"));
    EXPECT_EQ(section["CustomEQHzValueInfo"][0][9]["value"].asInt(), 2);
    EXPECT_EQ(section["CustomEQHzValueInfo"][1].size(), 10u);
    // Beyond the twenty user equalisers nothing is read or created.
    EXPECT_TRUE(p.doc.ReadCustomEqBands(20).empty());
    EXPECT_EQ(p.doc.DeviceSection()["CustomEQHzValueInfo"].size(), 2u);
}

TEST(ProfileDocumentTest, ADocumentWithoutItsSectionIsRepairedFromTheTemplateOnce) {
    test::TempFolder folder;
    test::WriteJson(folder / "mouse.Json", test::TemplateDocument("t"));
    const auto path = folder / "2026_01_05_07_08_09_042.Json";
    test::WriteJson(path, ParseJson(R"({"profilename": "Mine", "profileUUID": "2026_01_05_07_08_09_042"})"));

    CBasicProfiledata doc;
    doc.SetTemplatePath(folder / "mouse.Json");
    doc.SetTemplatePath("");  // ignored
    doc.SetDocumentPath(path);
    const Json::Value section = doc.LoadDeviceSection(path);
    EXPECT_EQ(section, test::TemplateDocument("t")["Device"][0]);
    const Json::Value file = readjsonFile(path);
    EXPECT_EQ(file["profilename"].asString(), "Mine");
    EXPECT_EQ(file["profileUUID"].asString(), "2026_01_05_07_08_09_042");
    EXPECT_EQ(file["Device"][0], section);
    EXPECT_FALSE(file.isMember("shipped"));
    EXPECT_TRUE(test::IsStyledJson(path));

    // When the template lacks it too, the section stays null, readers give defaults and
    // nothing is written.
    test::WriteJson(folder / "mouse.Json", ParseJson(R"({"profilename": "t"})"));
    const auto bare = folder / "2026_01_05_07_08_09_043.Json";
    test::WriteText(bare, R"({"profilename": "Bare"})");
    EXPECT_TRUE(doc.LoadDeviceSection(bare).isNull());
    EXPECT_EQ(doc.ReadLightInfo(), LightInfoWords{});
    EXPECT_TRUE(doc.ReadKeyList().empty());
    EXPECT_EQ(test::ReadText(bare), R"({"profilename": "Bare"})");
}

// One case per class of document: where the settings come from, what the file holds after the
// load, and whether a damaged one was kept. The profile's name comes from the list beside it.
TEST(ProfileDocumentTest, LoadingTellsWhereTheSettingsCameFromAndKeepsDamagedDocuments) {
    const std::string uuid = "2026_01_05_07_08_09_042";
    const std::string sound = R"({"profilename": "Mine", "profileUUID": ")" + uuid + R"(", "Device": [{"LightInfo": {"Red": 9}}]})";
    struct Case {
        const char* name;
        std::string text;  // empty: no document
        bool withTemplate;
        ProfileLoad outcome;
        bool damaged;
        bool kept;
        const char* documentName;  // "profilename" after the load
        int red;                   // "LightInfo"."Red" of the section in memory
    } cases[] = {
        {"sound", sound, true, ProfileLoad::kLoaded, false, false, "Mine", 9},
        {"no section", R"({"profilename": "Mine", "profileUUID": ")" + uuid + "\"}", true, ProfileLoad::kFromTemplate,
         false, false, "Mine", 255},
        {"missing", "", true, ProfileLoad::kFromTemplate, false, false, "Listed", 255},
        {"cut short", sound.substr(0, 60), true, ProfileLoad::kReplaced, true, true, "Listed", 255},
        {"not an object", "[1, 2]", true, ProfileLoad::kReplaced, true, true, "Listed", 255},
        {"no section, no template", R"({"profilename": "Mine"})", false, ProfileLoad::kNoSettings, false, false,
         "Mine", 0},
        {"cut short, no template", sound.substr(0, 60), false, ProfileLoad::kNoSettings, true, false, "", 0},
    };
    for (const Case& c : cases) {
        test::TempFolder folder;
        const auto path = folder / (uuid + ".Json");
        if (!c.text.empty()) test::WriteText(path, c.text);
        test::WriteJson(folder / "ProfileList.ini",
                        ParseJson(R"({"profilelist": [{"profilename": "Listed", "profileUUID": ")" + uuid + "\"}]}"));
        if (c.withTemplate) test::WriteJson(folder / "mouse.Json", test::TemplateDocument("t"));
        CBasicProfiledata doc;
        doc.SetTemplatePath(folder / "mouse.Json");
        doc.SetDocumentPath(path);
        doc.LoadDeviceSection(path);
        const ProfileLoadReport& load = doc.LastLoad();
        EXPECT_EQ(load.outcome, c.outcome) << c.name;
        EXPECT_EQ(load.damaged, c.damaged) << c.name;
        EXPECT_EQ(load.Failed(), c.damaged || c.outcome == ProfileLoad::kNoSettings) << c.name;
        EXPECT_EQ(load.document, path) << c.name;
        EXPECT_EQ(doc.DocumentName(), c.documentName) << c.name;
        EXPECT_EQ(doc.ReadLightInfo()[1] >> 8 & 0xFF, uint32_t(c.red)) << c.name;
        EXPECT_EQ(load.kept.has_value(), c.kept) << c.name;
        if (c.kept) {
            EXPECT_EQ(*load.kept, folder / (uuid + ".Json.damaged")) << c.name;
            EXPECT_EQ(test::ReadText(*load.kept), c.text) << c.name;
        }
        if (c.outcome == ProfileLoad::kReplaced || c.outcome == ProfileLoad::kFromTemplate) {
            // Written anew with its settings, its name and its identity.
            const Json::Value file = readjsonFile(path);
            EXPECT_EQ(file["profilename"].asString(), c.documentName) << c.name;
            EXPECT_EQ(file["profileUUID"].asString(), uuid) << c.name;
            EXPECT_EQ(file["Device"][0], test::TemplateDocument("t")["Device"][0]) << c.name;
        } else if (!c.text.empty()) {
            EXPECT_EQ(test::ReadText(path), c.text) << c.name << ": left as it was";
        }
    }
}

// A FIFO or a folder in place of the document is not read (a FIFO would block) nor written.
TEST(ProfileDocumentTest, ADocumentThatIsNotAFileIsNeitherReadNorWritten) {
    for (const bool fifo : {false, true}) {
        test::TempFolder folder;
        const auto path = folder / "2026_01_05_07_08_09_042.Json";
        if (fifo) ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        else std::filesystem::create_directory(path);
        test::WriteJson(folder / "mouse.Json", test::TemplateDocument("t"));
        CBasicProfiledata doc;
        doc.SetTemplatePath(folder / "mouse.Json");
        doc.SetDocumentPath(path);
        EXPECT_TRUE(doc.LoadDeviceSection(path).isNull()) << fifo;
        EXPECT_EQ(doc.LastLoad().outcome, ProfileLoad::kNotAFile);
        EXPECT_TRUE(doc.LastLoad().Failed());
        EXPECT_FALSE(doc.Save());
        EXPECT_EQ(std::filesystem::is_fifo(path), fifo);
        EXPECT_EQ(std::filesystem::is_directory(path), !fifo);
    }
}

// A "profilename" of another type reads as no name; nothing throws.
TEST(ProfileDocumentTest, ANameOfTheWrongTypeReadsAsNoName) {
    for (const char* name : {"[1, 2]", R"({"a": 1})", "7", "null", "true"}) {
        CBasicProfiledata doc;
        doc.LoadDeviceSectionFrom(ParseJson(std::string(R"({"profilename": )") + name + R"(, "Device": [{}]})"));
        EXPECT_EQ(doc.DocumentName(), "") << name;
        EXPECT_EQ(doc.LastLoad().outcome, ProfileLoad::kLoaded) << name;
    }
}

// A document damaged after it was loaded is kept aside by the next save, which writes the
// settings anew with the profile's name and identity.
TEST(ProfileDocumentTest, SavingOverADamagedDocumentKeepsItAndTheProfilesIdentity) {
    Loaded<CBasicProfiledata> p(R"({"LightInfo": {"SelectItem": 1}})");
    test::WriteJson(p.Path().parent_path() / "ProfileList.ini",
                    ParseJson(R"({"profilelist": [{"profilename": "Mine", "profileUUID": "2026_01_05_07_08_09_042"}]})"));
    test::WriteText(p.Path(), R"({"profilename": "Mi)");
    p.doc.WriteLightInfo({4, 0, 0});
    ASSERT_TRUE(p.doc.Save());
    EXPECT_EQ(test::ReadText(p.Path().string() + ".damaged"), R"({"profilename": "Mi)");
    EXPECT_EQ(p.File()["profilename"].asString(), "Mine");
    EXPECT_EQ(p.File()["profileUUID"].asString(), "2026_01_05_07_08_09_042");
    EXPECT_EQ(p.FileSection()["LightInfo"]["SelectItem"].asInt(), 4);
}

TEST(ProfileDocumentTest, ResetToTheTemplateNeedsTheTemplatesSection) {
    Loaded<CBasicProfiledata> p(R"({"LightInfo": {"SelectItem": 7}})");
    const auto templatePath = p.Path().parent_path() / "template.Json";
    // No template, a template that is not JSON, one without the section: the section stays.
    EXPECT_FALSE(p.doc.ResetSectionToTemplate());
    p.doc.SetTemplatePath(templatePath);
    for (const char* text : {"", "{not json", R"({"profilename": "t"})", R"({"Device": [5]})"}) {
        test::WriteText(templatePath, text);
        EXPECT_FALSE(p.doc.ResetSectionToTemplate()) << text;
        EXPECT_EQ(p.doc.ReadLightInfo()[0], 7u) << text;
    }
    test::WriteJson(templatePath, test::TemplateDocument("t"));
    ASSERT_TRUE(p.doc.ResetSectionToTemplate());
    EXPECT_EQ(p.doc.DeviceSection(), test::TemplateDocument("t")["Device"][0]);
    // Only Save writes the file.
    EXPECT_EQ(p.File()["Device"][0]["LightInfo"]["SelectItem"].asInt(), 7);
}

TEST(ProfileDocumentTest, SaveReplacesOnlyTheDeviceSectionOfTheFileAsItIsNow) {
    Loaded<CBasicProfiledata> p(R"({"LightInfo": {"SelectItem": 1}})");
    Json::Value file = p.File();
    file["profilename"] = "Renamed meanwhile";
    file["Device"][1] = "second device";
    test::WriteJson(p.Path(), file);

    p.doc.WriteLightInfo({2, 0, 0});
    ASSERT_TRUE(p.doc.Save());
    file = p.File();
    EXPECT_EQ(file["profilename"].asString(), "Renamed meanwhile");
    EXPECT_EQ(file["Device"][1].asString(), "second device");
    EXPECT_EQ(file["Device"][0]["LightInfo"]["SelectItem"].asInt(), 2);
    EXPECT_TRUE(test::IsStyledJson(p.Path()));
}

TEST(ProfileDocumentTest, AFailedSaveIsReportedAndKeepsTheInMemoryState) {
    Loaded<CBasicProfiledata> p(R"({"LightInfo": {"SelectItem": 1}})");
    p.doc.WriteLightInfo({9, 0, 0});
    // A folder where the document should be: it cannot be replaced.
    std::filesystem::remove(p.Path());
    std::filesystem::create_directory(p.Path());
    EXPECT_FALSE(p.doc.Save());
    EXPECT_EQ(p.doc.DeviceSection()["LightInfo"]["SelectItem"].asInt(), 9);
    EXPECT_EQ(p.doc.ReadLightInfo()[0], 9u);

    // Without a document path nothing is read or written anywhere.
    p.doc.SetDocumentPath({});
    EXPECT_FALSE(p.doc.Save());
    EXPECT_TRUE(p.doc.LoadDeviceSection({}).isNull());
}

TEST(ProfileDocumentTest, MembersOfTheWrongTypeReadAsAbsentAndAreReplacedByWriters) {
    Loaded<CKeyboardProfiledata> p(R"({"LightInfo": 5, "LightList": {"a": 1}, "KeyList": "x",
        "SystemStages": [1, 2], "CustomLightMode": {"LightColorInfo": 3, "CustomLightModeGroupIndex": "2"}})");
    EXPECT_EQ(p.doc.ReadLightInfo(), LightInfoWords{});
    EXPECT_TRUE(p.doc.ReadLightList().empty());
    EXPECT_TRUE(p.doc.ReadKeyList().empty());
    EXPECT_EQ(p.doc.ReadKeyboardSystem(), KeyboardSystemWords{});
    EXPECT_EQ(p.doc.GetCustomLightGroup(), 0);
    EXPECT_EQ(p.doc.ReadCustomLightColors(0, 2).size(), 2u);
    p.doc.WriteKeyList({{0, {0x20, 0, 4}, 0, {}}});
    p.doc.WriteLightInfo({1, 0, 0});
    ASSERT_TRUE(p.doc.Save());
    EXPECT_EQ(p.FileSection()["KeyList"][0]["Assignment"].asInt(), 0x200004);
    EXPECT_EQ(p.FileSection()["LightInfo"]["SelectItem"].asInt(), 1);

    // A document that is not an object at all, and "Device" of the wrong type.
    for (const char* text : {"[1, 2]", R"({"Device": {"0": {}}})", R"({"Device": [7]})"}) {
        test::WriteText(p.Path(), text);
        CMouseProfiledata mouse;
        mouse.LoadDeviceSection(p.Path());
        EXPECT_EQ(mouse.ReadMouseSystem(), MouseSystemWords{}) << text;
        EXPECT_TRUE(mouse.ReadDpiStages().empty()) << text;
        EXPECT_TRUE(mouse.ReadCorrections().empty()) << text;
    }
}

}  // namespace
}  // namespace morvek
