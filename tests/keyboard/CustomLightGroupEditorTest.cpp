// Custom light groups: selecting, loading, filling and painting through the LED buffer.

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "devices/keyboard/CustomLightGroupEditor.h"
#include "devices/lighting/KeyboardLightSettings.h"

namespace morvek {
namespace {

class CustomLightGroupEditorTest : public ::testing::Test {
protected:
    CustomLightGroupEditorTest() : ledMap_(kCustomLightKeyCount) {
        std::iota(ledMap_.begin(), ledMap_.end(), uint8_t{0});
        engine_.SetLightCount(kCustomLightKeyCount);
        engine_.Settings().mode = kKeyboardCustomLightMode;
        // Group 1 of the profile: key k has red k, green 2k, blue 3k and brightness 128.
        std::vector<LightColor> colours;
        for (int k = 0; k < 126; ++k) {
            colours.push_back({uint8_t(k), uint8_t(2 * k), uint8_t(3 * k), 128});
        }
        profile_.WriteCustomLightColors(1, colours);
    }

    LedEntry Led(int key) const { return engine_.Leds()[static_cast<size_t>(key)]; }

    CKeyboardProfiledata profile_;
    LightEngine engine_{[] { return 0u; }};
    CustomLightGroupEditor editor_{profile_, engine_};
    std::vector<uint8_t> ledMap_;
};

TEST_F(CustomLightGroupEditorTest, SelectStoresTheGroupInProfileAndSettings) {
    ASSERT_TRUE(editor_.Select(1));
    EXPECT_EQ(profile_.GetCustomLightGroup(), 1);
    EXPECT_EQ(CustomLightGroupOf(engine_.Settings()), 1);
    EXPECT_EQ(editor_.SelectedGroup(), 1);

    EXPECT_FALSE(editor_.Select(-1));
    EXPECT_FALSE(editor_.Select(CKeyboardProfiledata::kMaxCustomLightGroups));
    EXPECT_EQ(profile_.GetCustomLightGroup(), 1);
}

TEST_F(CustomLightGroupEditorTest, LoadCopiesTheGroupAndGivesTheScaledTableInCustomModeOnly) {
    editor_.Select(1);
    const CustomLightUpdate update = editor_.Load(ledMap_);
    EXPECT_EQ(Led(100), (LedEntry{{100, 200, 44}, 128}));  // 3 x 100 as a byte
    ASSERT_TRUE(update.table.has_value());
    EXPECT_EQ((*update.table)[300], 50);
    EXPECT_EQ((*update.table)[301], 100);
    EXPECT_FALSE(update.saveProfile);

    engine_.Settings().mode = 1;
    EXPECT_EQ(editor_.Load(ledMap_), CustomLightUpdate{});
}

TEST_F(CustomLightGroupEditorTest, LoadOfAGroupWithoutColoursDarkensEveryKey) {
    engine_.SetLedColour(5, LedEntry{{9, 9, 9}, 255}.Packed());
    editor_.Select(7);
    editor_.Load(ledMap_);
    EXPECT_EQ(Led(5), LedEntry{});
}

TEST_F(CustomLightGroupEditorTest, FillSetsEveryKeyAndStoresTheSelectedGroup) {
    editor_.Select(1);
    const CustomLightUpdate bright = editor_.Fill(true, {10, 20, 30}, ledMap_);
    EXPECT_EQ(Led(0), (LedEntry{{10, 20, 30}, 255}));
    EXPECT_EQ(Led(125), Led(0));
    EXPECT_TRUE(bright.saveProfile);
    ASSERT_TRUE(bright.table.has_value());
    EXPECT_EQ((*bright.table)[0], 9);
    EXPECT_EQ(profile_.ReadCustomLightColors(1, 126)[125], (LightColor{10, 20, 30, 255}));

    const CustomLightUpdate off = editor_.Fill(false, {10, 20, 30}, ledMap_);
    EXPECT_EQ(Led(60), LedEntry{});
    EXPECT_EQ(*off.table, LedColourTable{});
    EXPECT_EQ(profile_.ReadCustomLightColors(1, 126)[60], LightColor{});
}

TEST_F(CustomLightGroupEditorTest, FillWithoutAValidGroupSavesNothing) {
    profile_.SetCustomLightGroup(-4);
    const CustomLightUpdate update = editor_.Fill(true, {1, 2, 3}, ledMap_);
    EXPECT_FALSE(update.saveProfile);
    EXPECT_TRUE(update.table.has_value());
    EXPECT_EQ(Led(7), (LedEntry{{1, 2, 3}, 255}));
}

TEST_F(CustomLightGroupEditorTest, PaintChangesOneKeyAndStoresTheGroup) {
    editor_.Select(1);
    editor_.Load(ledMap_);
    const CustomLightUpdate update = editor_.Paint(100, {250, 0, 5}, false, ledMap_);
    EXPECT_EQ(Led(100), (LedEntry{{250, 0, 5}, 255}));
    EXPECT_TRUE(update.saveProfile);
    ASSERT_TRUE(update.table.has_value());
    // Every key is written as the keyboard shows it: scaled by its brightness.
    EXPECT_EQ((*update.table)[300], 249);
    EXPECT_EQ((*update.table)[3 * 50], 25);
    EXPECT_EQ(profile_.ReadCustomLightColors(1, 126)[100], (LightColor{250, 0, 5, 255}));
    EXPECT_EQ(profile_.ReadCustomLightColors(1, 126)[50], (LightColor{50, 100, 150, 128}));
}

TEST_F(CustomLightGroupEditorTest, PaintIsRefusedOutsideCustomModeOrTheKeys) {
    editor_.Select(1);
    for (int key : {-1, 126, 1000}) EXPECT_EQ(editor_.Paint(key, {1, 1, 1}, false, ledMap_), CustomLightUpdate{});
    engine_.Settings().mode = 8;
    EXPECT_EQ(editor_.Paint(3, {1, 1, 1}, false, ledMap_), CustomLightUpdate{});
    EXPECT_EQ(Led(3), LedEntry{});
}

TEST_F(CustomLightGroupEditorTest, PaintOnAWirelessChannelStoresButWritesNothing) {
    editor_.Select(1);
    const CustomLightUpdate update = editor_.Paint(2, {1, 1, 1}, true, ledMap_);
    EXPECT_TRUE(update.saveProfile);
    EXPECT_FALSE(update.table.has_value());
}

}  // namespace
}  // namespace morvek
