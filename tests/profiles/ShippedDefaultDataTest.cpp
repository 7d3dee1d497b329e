#include <gtest/gtest.h>

#include "devicelink/DeviceKinds.h"
#include "profiles/DefaultData.h"
#include "profiles/Hs6533Profiledata.h"
#include "profiles/JsonFile.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileListStore.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek {
namespace {

const std::filesystem::path kShipped = test::SourceDataDir();

// The first profile of a kind, made from the shipped template and loaded into document.
void LoadFirstProfile(const test::TempFolder& data, uint16_t kind, CBasicProfiledata& document) {
    ProfileListStore store(kind, ProfileFolder(data.Path(), kind), ProfileTemplate(kShipped, kind));
    ASSERT_EQ(store.LoadProfileList(), ProfileStatus::kOk) << FindDeviceKind(kind)->dataFolder;
    ASSERT_TRUE(store.CurrentDocumentPath().has_value());
    document.SetTemplatePath(store.TemplatePath());
    document.SetDocumentPath(*store.CurrentDocumentPath());
    ASSERT_TRUE(document.LoadDeviceSection(document.GetDocumentPath()).isObject()) << FindDeviceKind(kind)->dataFolder;
    int lights = -1;
    for (const DevicePageTemplate& t : DevicePageTemplates()) {
        if (t.kind == kind) lights = t.lightPointCount;
    }
    const auto& leds = document.ReadLightList();
    EXPECT_EQ(leds.size(), size_t(lights)) << FindDeviceKind(kind)->dataFolder;
    for (const LedRecord& led : leds) EXPECT_TRUE(led.present) << FindDeviceKind(kind)->dataFolder;
}

TEST(ShippedDefaultDataTest, EveryTemplateLoadsThroughItsDocumentClass) {
    test::TempFolder data;

    CKeyboardProfiledata keyboard;
    LoadFirstProfile(data, kKindKeyboard, keyboard);
    const auto keys = keyboard.ReadKeyList();
    ASSERT_EQ(keys.size(), 126u);
    for (const KeyListEntry& key : keys) EXPECT_EQ(key.current, key.defaults) << key.index;
    EXPECT_EQ(keys[0].current, (KeyAssignment{0x20, 0, 0x29})) << "Esc";
    EXPECT_EQ(keys[16].current, (KeyAssignment{0xA0, 0x1B, 0})) << "GM";
    EXPECT_NE(keyboard.ReadKeyboardSystem(), KeyboardSystemWords{});
    for (int group = 0; group < 3; ++group) {
        const std::string before = keyboard.DeviceSection().toStyledString();
        EXPECT_EQ(keyboard.ReadCustomLightColors(group, 126).size(), 126u);
        EXPECT_EQ(keyboard.DeviceSection().toStyledString(), before) << "group " << group << " is complete";
    }

    CMouseProfiledata mouse;
    LoadFirstProfile(data, kKindMouse, mouse);
    EXPECT_EQ(mouse.ReadKeyList().size(), 10u);
    const auto& stages = mouse.ReadDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    for (const DpiStageRecord& stage : stages) EXPECT_GT(stage.dpiX, 0);
    EXPECT_LT(mouse.GetCurrentDpiStage(), 5);
    EXPECT_NE(mouse.ReadMouseSystem(), MouseSystemWords{});
    EXPECT_FALSE(mouse.ReadCorrections().empty());

    CBasicProfiledata pad;
    LoadFirstProfile(data, kKindMousePad, pad);

    CHs6533Profiledata headset;
    LoadFirstProfile(data, kKindHeadset, headset);
    headset.ReadHeadsetSystem();
    const std::string before = headset.DeviceSection().toStyledString();
    for (int type = 1; type <= 12; ++type) EXPECT_EQ(headset.ReadEqBands(type).size(), 10u) << type;
    EXPECT_EQ(headset.DeviceSection().toStyledString(), before) << "all twelve presets are complete";
    EXPECT_TRUE(headset.ReadEqBands(CHs6533Profiledata::kCustomEqType).empty());
}

TEST(ShippedDefaultDataTest, LightNamesForEveryClassAndTheLanguageList) {
    const Json::Value defaultLight = readjsonFile(DefaultLightFile(kShipped));
    const size_t effects[] = {40, 9, 9, 9};
    for (int c = 0; c < 4; ++c) {
        const auto names = ReadDefaultLightNames(defaultLight, c);
        ASSERT_TRUE(names.has_value()) << c;
        EXPECT_EQ(names->size(), effects[c]) << c;
        for (const LightEffectName& n : *names) EXPECT_FALSE(n.name.empty()) << c;
        EXPECT_TRUE(ReadAreaLightNames(defaultLight, c).has_value()) << c;
    }
    const auto languages = ReadLanguageList(readjsonFile(LanguageListFile(kShipped)));
    ASSERT_GE(languages.size(), 3u);
    EXPECT_EQ(languages[0].text, "English");
}

}  // namespace
}  // namespace morvek
