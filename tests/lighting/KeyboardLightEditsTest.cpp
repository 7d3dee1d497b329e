// The light panel's edits of the light settings.

#include <gtest/gtest.h>

#include "devices/lighting/KeyboardLightEdits.h"

namespace morvek {
namespace {

TEST(KeyboardLightEditsTest, EditsChangeOnlyTheirByte) {
    LightSettings settings;
    settings.colour = {1, 2, 3};
    settings.extra = {4, 5, 6, 7};
    const LightSettings before = settings;

    ASSERT_TRUE(EditLight(settings, LightEdit::Speed, 1));
    LightSettings expected = before;
    expected.speedLevel = 1;
    EXPECT_EQ(settings, expected);

    ASSERT_TRUE(EditLight(settings, LightEdit::Mode, 38));
    ASSERT_TRUE(EditLight(settings, LightEdit::Brightness, 4));
    ASSERT_TRUE(EditLight(settings, LightEdit::Direction, 7));
    ASSERT_TRUE(EditLight(settings, LightEdit::RandomColour, 1));
    expected.mode = 38;
    expected.brightnessLevel = 4;
    expected.direction = 1;
    expected.randomColour = 1;
    EXPECT_EQ(settings, expected);
}

TEST(KeyboardLightEditsTest, OutOfRangeValuesAreRefused) {
    LightSettings settings;
    EXPECT_FALSE(EditLight(settings, LightEdit::Brightness, 5));
    EXPECT_FALSE(EditLight(settings, LightEdit::Speed, -1));
    EXPECT_FALSE(EditLight(settings, LightEdit::Mode, 256));
    EXPECT_EQ(settings, LightSettings{});
}

TEST(KeyboardLightEditsTest, AFixedColourClearsRandomColours) {
    LightSettings settings;
    settings.randomColour = 1;
    EditLightColour(settings, {9, 8, 7});
    EXPECT_EQ(settings.colour, (LedColour{9, 8, 7}));
    EXPECT_EQ(settings.randomColour, 0);
}

TEST(KeyboardLightEditsTest, ColourEditText) {
    struct Case {
        const char* text;
        ColourEditValue read;
    };
    for (const Case& c : {Case{"300", {255, "255"}}, Case{"", {0, "0"}}, Case{"128", {128, "128"}},
                          Case{" 12abc", {12, "12"}}, Case{"-5", {0, "0"}}, Case{"abc", {0, "0"}},
                          Case{"99999999999999999999", {255, "255"}}, Case{"007", {7, "7"}}}) {
        EXPECT_EQ(ReadColourEdit(c.text), c.read) << c.text;
    }
}

TEST(KeyboardLightEditsTest, DirectionOptionsAndPanelColours) {
    EXPECT_EQ(DirectionOfOption("deng_FXUP_check"), 1);
    EXPECT_EQ(DirectionOfOption("deng_FXOUT_check"), 0);
    EXPECT_EQ(DirectionOfOption("deng_fxl_check"), std::nullopt);

    EXPECT_EQ(PanelColourValue({0x12, 0x34, 0x56}), 0xFF123456u);
    EXPECT_EQ(ColourOfPanelValue(0xFF123456u), (LedColour{0x12, 0x34, 0x56}));
}

}  // namespace
}  // namespace morvek
