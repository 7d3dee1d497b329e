// Checks the read-only default data shipped in data/DefaultData: every file is JSON in the
// styled layout, and each file holds what the program relies on.

#include <gtest/gtest.h>
#include <json/writer.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/FileIo.h"
#include "profiles/JsonFile.h"
#include "support/SourcePaths.h"

namespace morvek {
namespace {

const std::filesystem::path kDataDir = test::SourceDataDir();

const std::vector<std::string> kShippedFiles = {
    "keyboard.Json",     "mouse.Json",        "MousePad.Json",     "HD.Json",           "default_light.json",
    "ShootData_0.Shoot", "ShootData_1.Shoot", "ShootData_2.Shoot", "ShootData_3.Shoot", "Language.config",
};

Json::Value Load(const std::string& name) { return readjsonFile(kDataDir / name); }

std::set<std::string> Members(const Json::Value& value) {
    if (!value.isObject()) return {};
    const auto names = value.getMemberNames();
    return {names.begin(), names.end()};
}

// value is a JSON integer (not a real, not a boolean) from low to high.
::testing::AssertionResult IntIn(const Json::Value& value, int64_t low, int64_t high) {
    if (value.type() != Json::intValue && value.type() != Json::uintValue) {
        return ::testing::AssertionFailure() << "not an integer: " << value.toStyledString();
    }
    if (value.asInt64() < low || value.asInt64() > high) {
        return ::testing::AssertionFailure() << value.asInt64() << " is outside " << low << ".." << high;
    }
    return ::testing::AssertionSuccess();
}

// Each listed member of object is an integer in its range.
struct IntRule {
    const char* key;
    int64_t low;
    int64_t high;
};
void ExpectInts(const Json::Value& object, const std::vector<IntRule>& rules, const std::string& where) {
    for (const IntRule& rule : rules) {
        EXPECT_TRUE(IntIn(object.isObject() ? object[rule.key] : Json::Value(), rule.low, rule.high))
            << where << " \"" << rule.key << "\"";
    }
}

constexpr int64_t k8Bit = 0xFF;
constexpr int64_t k16Bit = 0xFFFF;

struct Assignment {
    int type;
    int p1;
    int p2;
    int Packed() const { return type * 65536 + p1 * 256 + p2; }
};
Assignment Unpack(int packed) { return {packed >> 16, (packed >> 8) & 0xFF, packed & 0xFF}; }

// The key list of a template: every entry's current function is its default, and the packed
// defaults in key-index order.
std::vector<int> DefaultAssignments(const Json::Value& keyList, const std::string& where) {
    std::vector<int> defaults;
    for (Json::ArrayIndex i = 0; i < keyList.size(); ++i) {
        const Json::Value& entry = keyList[i];
        const std::string at = where + " key " + std::to_string(i);
        EXPECT_EQ(Members(entry), (std::set<std::string>{"Assignment", "DefaultAssignment"})) << at;
        ExpectInts(entry, {{"Assignment", 0, 0xFFFFFF}, {"DefaultAssignment", 0, 0xFFFFFF}}, at);
        EXPECT_EQ(entry["Assignment"], entry["DefaultAssignment"]) << at;
        defaults.push_back(entry["DefaultAssignment"].asInt());
    }
    return defaults;
}

TEST(DefaultDataTest, EveryShippedFileIsJsonInTheStyledLayout) {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(kDataDir)) {
        const std::string name = entry.path().filename().string();
        found.insert(name);
        const Json::Value value = readjsonFile(entry.path());
        ASSERT_TRUE(value.isObject()) << name << " does not parse as a JSON object";
        const auto bytes = ReadWholeFile(entry.path(), kMaxJsonFileBytes);
        ASSERT_TRUE(bytes.has_value()) << name;
        Json::StyledWriter writer;
        EXPECT_EQ(*bytes, writer.write(value)) << name << " differs from the styled layout of its value";
    }
    EXPECT_EQ(found, std::set<std::string>(kShippedFiles.begin(), kShippedFiles.end()));
}

struct TemplateCase {
    const char* file;
    int deviceClass;  // index into the light name lists
    Json::ArrayIndex leds;
    std::set<std::string> sections;
};

TEST(DefaultDataTest, ProfileTemplatesHoldEverySectionOfTheirKindWithLightInRange) {
    const TemplateCase cases[] = {
        {"keyboard.Json", 0, 126, {"LightInfo", "LightList", "KeyList", "SystemStages", "CustomLightMode"}},
        {"mouse.Json",
         1,
         6,
         {"LightInfo", "LightList", "KeyList", "SystemStages", "ReportStages", "DPIStages", "CorrectInfo"}},
        {"MousePad.Json", 2, 15, {"LightInfo", "LightList"}},
        {"HD.Json",
         3,
         13,
         {"LightInfo", "LightList", "SystemSetStages", "EQHzValueInfo", "CustomEQNameInfo", "CustomEQHzValueInfo"}},
    };
    const Json::Value effects = Load("default_light.json")["DefaultLightName"];
    for (const TemplateCase& c : cases) {
        SCOPED_TRACE(c.file);
        const Json::Value document = Load(c.file);
        EXPECT_EQ(Members(document), (std::set<std::string>{"Device", "profileUUID", "profilename"}));
        EXPECT_TRUE(document["profilename"].isString());
        EXPECT_TRUE(document["profileUUID"].isString());
        ASSERT_TRUE(document["Device"].isArray());
        ASSERT_EQ(document["Device"].size(), 1u);
        const Json::Value& device = document["Device"][0];
        EXPECT_EQ(Members(device), c.sections);

        const Json::Value& light = device["LightInfo"];
        EXPECT_EQ(Members(light).size(), 9u);
        ExpectInts(light,
                   {{"SelectItem", 0, k8Bit},
                    {"Light", 0, 4},
                    {"Speed", 0, 4},
                    {"Fx", 0, 1},
                    {"MultiColor", 0, 1},
                    {"Red", 0, k8Bit},
                    {"Green", 0, k8Bit},
                    {"Blue", 0, k8Bit},
                    {"CustomGroup", 0, k8Bit}},
                   "LightInfo");
        const Json::Value& effect = effects[c.deviceClass][light["SelectItem"].asUInt()];
        EXPECT_TRUE(effect["visible"].asBool()) << "the template starts on an effect the light panel does not offer";

        const Json::Value& leds = device["LightList"];
        ASSERT_TRUE(leds.isArray());
        EXPECT_EQ(leds.size(), c.leds);
        for (Json::ArrayIndex i = 0; i < leds.size(); ++i) {
            const std::string at = "LED " + std::to_string(i);
            const Json::Value& led = leds[i];
            EXPECT_EQ(Members(led), (std::set<std::string>{"LEDREGMode", "LEDBrightness", "LEDSpeed", "LEDMultiColor",
                                                           "LEDDirection", "red", "green", "blue"}))
                << at;
            // Per-LED modes 0-4 paint over the device's effect; a template starts without one.
            ExpectInts(led,
                       {{"LEDREGMode", 5, k8Bit},
                        {"LEDBrightness", 0, 4},
                        {"LEDSpeed", 0, 4},
                        {"red", 0, k8Bit},
                        {"green", 0, k8Bit},
                        {"blue", 0, k8Bit}},
                       at);
            EXPECT_TRUE(led["LEDMultiColor"].isBool()) << at;
            EXPECT_TRUE(led["LEDDirection"].isBool()) << at;
        }
    }
}

TEST(DefaultDataTest, KeyboardTemplateKeysSystemValuesAndCustomGroups) {
    const Json::Value device = Load("keyboard.Json")["Device"][0];

    const std::vector<int> defaults = DefaultAssignments(device["KeyList"], "keyboard");
    ASSERT_EQ(defaults.size(), 126u);
    // The key layout is found by searching the device's slots for each key's default, and the
    // page disables FN, M1-M6 by index; every key but the empty matrix places is unique.
    const int disabled = Assignment{0x20, 0, 0}.Packed();
    std::set<int> seen;
    int modifierBits = 0;
    for (size_t i = 0; i < defaults.size(); ++i) {
        const Assignment a = Unpack(defaults[i]);
        if (defaults[i] == disabled) continue;
        EXPECT_TRUE(seen.insert(defaults[i]).second) << "key " << i << " repeats the default of another key";
        if (a.type == 0x20 && a.p1 != 0) {
            EXPECT_EQ(a.p1 & (a.p1 - 1), 0) << "key " << i << " holds more than one modifier";
            EXPECT_EQ(a.p2, 0) << "key " << i;
            modifierBits |= a.p1;
        } else {
            EXPECT_TRUE(a.type == 0x20 || a.type == 0xA0 || a.type == 0xD0) << "key " << i;
        }
    }
    EXPECT_EQ(modifierBits, 0xFF) << "all eight modifier keys";
    const struct {
        size_t index;
        Assignment key;
    } builtIn[] = {
        {110, {0xA0, 0x01, 0}},   {16, {0xA0, 0x1B, 0}},    {120, {0xD0, 0xA2, 1}}, {121, {0xD0, 0xA2, 2}},
        {122, {0xD0, 0xA2, 3}},   {123, {0xD0, 0xA2, 4}},   {124, {0xD0, 0xA2, 5}}, {104, {0xD0, 0xA2, 6}},
    };
    for (const auto& k : builtIn) {
        EXPECT_EQ(defaults[k.index], k.key.Packed()) << "key " << k.index;
    }

    ExpectInts(device["SystemStages"],
               {{"Repeat", 0, k16Bit},
                {"RepeatDelay", 0, 3},
                {"Key6Flag", 0, 1},
                {"PollingRate", 0, 3},
                {"WFlag", 0, 1},
                {"WinFlag", 0, 1}},
               "SystemStages");
    EXPECT_EQ(Members(device["SystemStages"]).size(), 6u);

    const Json::Value& custom = device["CustomLightMode"];
    EXPECT_EQ(Members(custom), (std::set<std::string>{"CustomLightModeGroupIndex", "LightColorInfo"}));
    const Json::Value& groups = custom["LightColorInfo"];
    ASSERT_TRUE(groups.isArray());
    EXPECT_GE(groups.size(), 3u);
    EXPECT_TRUE(IntIn(custom["CustomLightModeGroupIndex"], 0, groups.size() - 1));
    EXPECT_TRUE(IntIn(device["LightInfo"]["CustomGroup"], 0, groups.size() - 1));
    std::set<std::string> designs;
    for (Json::ArrayIndex g = 0; g < groups.size(); ++g) {
        ASSERT_TRUE(groups[g].isArray());
        EXPECT_EQ(groups[g].size(), 126u) << "group " << g;
        for (Json::ArrayIndex k = 0; k < groups[g].size(); ++k) {
            const std::string at = "group " + std::to_string(g) + " key " + std::to_string(k);
            EXPECT_EQ(Members(groups[g][k]).size(), 4u) << at;
            ExpectInts(groups[g][k], {{"Red", 0, k8Bit}, {"Green", 0, k8Bit}, {"Blue", 0, k8Bit}, {"Alpha", 0, k8Bit}},
                       at);
        }
        designs.insert(groups[g].toStyledString());
    }
    EXPECT_EQ(designs.size(), groups.size()) << "every custom group is a design of its own";
}

TEST(DefaultDataTest, MouseTemplateButtonsStagesAndPointerValues) {
    const Json::Value device = Load("mouse.Json")["Device"][0];

    // Logical buttons are found in the mouse's key table by these factory codes.
    const Assignment factory[] = {
        {0x10, 0x01, 0}, {0x10, 0x02, 0}, {0x10, 0x04, 0}, {0x10, 0x10, 0}, {0x10, 0x08, 0},
        {0x13, 0x01, 0}, {0x13, 0x02, 0}, {0x13, 0x03, 0}, {0xA0, 0x1B, 0}, {0x16, 0x90, 0x01},
    };
    const std::vector<int> defaults = DefaultAssignments(device["KeyList"], "mouse");
    ASSERT_EQ(defaults.size(), std::size(factory));
    for (size_t j = 0; j < defaults.size(); ++j) {
        EXPECT_EQ(defaults[j], factory[j].Packed()) << "logical button " << j;
    }

    const Json::Value& dpi = device["DPIStages"];
    EXPECT_EQ(Members(dpi), (std::set<std::string>{"StageActive", "StageDPIs"}));
    const Json::Value& stages = dpi["StageDPIs"];
    ASSERT_TRUE(stages.isArray());
    ASSERT_EQ(stages.size(), 5u) << "the settings block carries five stages";
    EXPECT_TRUE(IntIn(dpi["StageActive"], 0, 4));
    std::set<std::string> colours;
    for (Json::ArrayIndex s = 0; s < stages.size(); ++s) {
        const std::string at = "stage " + std::to_string(s);
        const Json::Value& stage = stages[s];
        EXPECT_EQ(Members(stage).size(), 7u) << at;
        ExpectInts(stage,
                   {{"StageActive", 1, 1},
                    {"StageXY", 0, 1},
                    {"StageDPIX", 1, k16Bit},
                    {"StageDPIY", 1, k16Bit},
                    {"StageColorR", 0, k8Bit},
                    {"StageColorG", 0, k8Bit},
                    {"StageColorB", 0, k8Bit}},
                   at);
        if (s > 0) {
            EXPECT_GT(stage["StageDPIX"].asInt(), stages[s - 1]["StageDPIX"].asInt()) << at << " rises";
        }
        colours.insert(stage["StageColorR"].asString() + "," + stage["StageColorG"].asString() + "," +
                       stage["StageColorB"].asString());
    }
    EXPECT_EQ(colours.size(), stages.size()) << "each stage shows its own colour";

    ExpectInts(device["SystemStages"],
               {{"DoubleClickTime", 0, k16Bit},
                {"MouseSpeed", 0, k16Bit},
                {"PointerPrecision", 0, 1},
                {"ScorllPage", 0, 1},
                {"WheelScorlllinse", 0, k16Bit}},
               "SystemStages");
    EXPECT_EQ(Members(device["SystemStages"]).size(), 5u);
    EXPECT_EQ(Members(device["ReportStages"]), (std::set<std::string>{"StageActive"}));
    EXPECT_TRUE(IntIn(device["ReportStages"]["StageActive"], 0, 4));

    const Json::Value& corrections = device["CorrectInfo"];
    ASSERT_TRUE(corrections.isArray());
    for (Json::ArrayIndex i = 0; i < corrections.size(); ++i) {
        const std::string at = "correction " + std::to_string(i);
        EXPECT_EQ(Members(corrections[i]).size(), 4u) << at;
        ExpectInts(corrections[i],
                   {{"CorrectPixThresh", 0, k8Bit}, {"CorrectMinSq", 0, k8Bit}, {"CorrectSelect", 0, k8Bit}}, at);
        EXPECT_TRUE(corrections[i]["CorrectName"].isString()) << at;
    }
}

TEST(DefaultDataTest, HeadsetTemplateHoldsTheTwelvePresetsAndConsistentUserEqualisers) {
    const Json::Value device = Load("HD.Json")["Device"][0];

    const Json::Value& names = device["CustomEQNameInfo"];
    const Json::Value& userBands = device["CustomEQHzValueInfo"];
    ASSERT_TRUE(names.isArray());
    ASSERT_TRUE(userBands.isArray());
    EXPECT_LE(names.size(), 20u);
    EXPECT_EQ(userBands.size(), names.size()) << "one band list per user equaliser";

    const Json::Value& words = device["SystemSetStages"];
    EXPECT_EQ(Members(words).size(), 8u);
    ExpectInts(words,
               {{"MagicEnable", 0, 1},
                {"MagicType", 1, 4},
                {"EqType", 1, 13},
                {"CustomEqSeletIndex", -1, static_cast<int64_t>(names.size()) - 1},
                {"MicInSelect", 0, 1},
                {"MicInValue", 0, 100},
                {"MicMoniterSelect", 0, 1},
                {"MicMoniterValue", 0, 100}},
               "SystemSetStages");

    const auto expectBands = [](const Json::Value& list, const std::string& at) {
        ASSERT_TRUE(list.isArray()) << at;
        ASSERT_EQ(list.size(), 10u) << at;
        for (Json::ArrayIndex b = 0; b < list.size(); ++b) {
            EXPECT_EQ(Members(list[b]), (std::set<std::string>{"value"})) << at << " band " << b;
            EXPECT_TRUE(IntIn(list[b]["value"], INT32_MIN, INT32_MAX)) << at << " band " << b;
        }
    };
    const Json::Value& presets = device["EQHzValueInfo"];
    ASSERT_TRUE(presets.isArray());
    EXPECT_EQ(presets.size(), 13u) << "slots 1-12 for the presets; slot 0 is never used";
    for (Json::ArrayIndex t = 1; t < presets.size(); ++t) {
        expectBands(presets[t], "preset " + std::to_string(t));
    }
    for (Json::ArrayIndex p = 0; p < names.size(); ++p) {
        EXPECT_TRUE(names[p]["Name"].isString());
        expectBands(userBands[p], "user equaliser " + std::to_string(p));
    }
}

TEST(DefaultDataTest, DefaultLightNamesCoverEveryEffectOfEveryClass) {
    const Json::Value file = Load("default_light.json");
    EXPECT_EQ(Members(file), (std::set<std::string>{"AreaLightName", "DefaultLightName"}));
    const struct {
        const char* device;
        Json::ArrayIndex effects;
        std::vector<Json::ArrayIndex> mustShow;  // the modes synchronised lighting hands out, and custom
    } classes[] = {
        {"keyboard", 40, {8, 6, 19, 2, 24, 38}},
        {"mouse", 9, {2, 3, 4, 1, 8}},
        {"mouse pad", 9, {2, 3, 4, 1, 8}},
        {"headset", 9, {2, 3, 4, 1, 8}},
    };
    const Json::Value& lists = file["DefaultLightName"];
    const Json::Value& areas = file["AreaLightName"];
    ASSERT_EQ(lists.size(), std::size(classes));
    ASSERT_EQ(areas.size(), std::size(classes));
    for (Json::ArrayIndex c = 0; c < lists.size(); ++c) {
        SCOPED_TRACE(classes[c].device);
        const Json::Value& list = lists[c];
        ASSERT_EQ(list.size(), classes[c].effects);
        std::set<std::string> names;
        for (Json::ArrayIndex e = 0; e < list.size(); ++e) {
            EXPECT_EQ(Members(list[e]), (std::set<std::string>{"LightName", "visible"})) << "effect " << e;
            EXPECT_TRUE(list[e]["visible"].isBool()) << "effect " << e;
            ASSERT_TRUE(list[e]["LightName"].isString()) << "effect " << e;
            EXPECT_FALSE(list[e]["LightName"].asString().empty()) << "effect " << e;
            EXPECT_TRUE(names.insert(list[e]["LightName"].asString()).second) << "effect " << e << " repeats a name";
        }
        for (Json::ArrayIndex mode : classes[c].mustShow) {
            EXPECT_TRUE(list[mode]["visible"].asBool()) << "mode " << mode;
        }
        ASSERT_TRUE(areas[c].isArray());
        for (const Json::Value& area : areas[c]) {
            EXPECT_EQ(Members(area), (std::set<std::string>{"LightName"}));
            EXPECT_TRUE(area["LightName"].isString());
        }
    }
}

TEST(DefaultDataTest, ShootPatternsAreThirtyEncodedBulletsThatPullAgainstTheRecoil) {
    std::set<std::string> patterns;
    for (int gun = 0; gun < 4; ++gun) {
        const std::string file = "ShootData_" + std::to_string(gun) + ".Shoot";
        SCOPED_TRACE(file);
        const Json::Value events = Load(file)["Events"];
        ASSERT_TRUE(events.isArray());
        ASSERT_EQ(events.size(), 180u);
        int pulledDown = 0;
        for (Json::ArrayIndex b = 0; b < 30; ++b) {
            const std::string at = "bullet " + std::to_string(b);
            const auto step = [&](int e) -> const Json::Value& { return events[6 * b + e]; };
            for (int e = 0; e < 6; ++e) {
                EXPECT_EQ(Members(step(e)), (std::set<std::string>{"Action", "Button", "Delay", "Type"})) << at;
            }
            const struct {
                const char* action;
                int button;
                int delay;
                int type;
            } press[] = {{"down", 1, 10, 1}, {"up", 1, 0, 1}};
            for (int e = 0; e < 2; ++e) {
                EXPECT_EQ(step(e)["Action"].asString(), press[e].action) << at;
                ExpectInts(step(e),
                           {{"Button", press[e].button, press[e].button},
                            {"Delay", press[e].delay, press[e].delay},
                            {"Type", press[e].type, press[e].type}},
                           at);
            }
            // Horizontal move X after 5 ms, vertical move Y then the delay, then two zero moves.
            ExpectInts(step(2), {{"Type", 4, 4}, {"Button", 0, k8Bit}, {"Delay", 5, 5}}, at);
            ExpectInts(step(3), {{"Type", 5, 5}, {"Button", 0, k8Bit}, {"Delay", 0, k16Bit}}, at);
            ExpectInts(step(4), {{"Type", 4, 4}, {"Button", 0, 0}, {"Delay", 0, 0}}, at);
            ExpectInts(step(5), {{"Type", 5, 5}, {"Button", 0, 0}, {"Delay", 0, 0}}, at);
            for (int e = 2; e < 6; ++e) {
                const std::string action = step(e)["Action"].asString();
                EXPECT_TRUE(action == "down" || action == "up") << at;
            }
            EXPECT_EQ(step(4)["Action"], step(2)["Action"]) << at;
            EXPECT_EQ(step(5)["Action"], step(3)["Action"]) << at;
            // A bullet lasts its press, its horizontal move and its delay: 150 to 1500 rounds a minute.
            const int bulletMs = 15 + step(3)["Delay"].asInt();
            EXPECT_GE(bulletMs, 40) << at;
            EXPECT_LE(bulletMs, 400) << at;
            // "up" on the vertical axis moves the mouse down.
            const int y = step(3)["Button"].asInt();
            pulledDown += step(3)["Action"].asString() == "up" ? y : -y;
        }
        EXPECT_GT(pulledDown, 0) << "the pattern pulls the mouse down against the climb";
        patterns.insert(events.toStyledString());
    }
    EXPECT_EQ(patterns.size(), 4u) << "every gun has a pattern of its own";
}

TEST(DefaultDataTest, LanguageListStartsWithEnglishAndNamesEachLanguageOnce) {
    const Json::Value languages = Load("Language.config")["Language"];
    ASSERT_TRUE(languages.isArray());
    ASSERT_GE(languages.size(), 3u);
    std::set<std::string> names;
    std::set<std::string> files;
    std::set<int> ids;
    for (Json::ArrayIndex i = 0; i < languages.size(); ++i) {
        const Json::Value& entry = languages[i];
        const std::string at = "language " + std::to_string(i);
        EXPECT_EQ(Members(entry),
                  (std::set<std::string>{"Language_ID", "Language_file", "Language_name", "Language_text"}))
            << at;
        EXPECT_TRUE(IntIn(entry["Language_ID"], 1, k16Bit)) << at;
        for (const char* key : {"Language_file", "Language_name", "Language_text"}) {
            EXPECT_TRUE(entry[key].isString() && !entry[key].asString().empty()) << at << " " << key;
        }
        EXPECT_TRUE(names.insert(entry["Language_name"].asString()).second) << at;
        EXPECT_TRUE(files.insert(entry["Language_file"].asString()).second) << at;
        EXPECT_TRUE(ids.insert(entry["Language_ID"].asInt()).second) << at;
    }
    EXPECT_EQ(languages[0]["Language_name"].asString(), "en_US") << "the first entry is the default language";
    EXPECT_TRUE(names.count("zh_CN") && names.count("de_DE"));
}

}  // namespace
}  // namespace morvek
