// What the light panel offers per mode, for the keyboard and the pad.

#include <gtest/gtest.h>

#include "devices/lighting/LightModeMatrix.h"
#include "devices/lighting/LightTypes.h"

namespace morvek {
namespace {

LightPanelLayout Nothing() {
    LightPanelLayout layout;
    return layout;
}

TEST(LightModeMatrixTest, SameLightIsOfferedExactlyForModesWithACommonType) {
    for (int mode = 0; mode < 256; ++mode) {
        const auto m = static_cast<uint8_t>(mode);
        EXPECT_EQ(KeyboardLightModeMatrix(m).sameLight,
                  CommonLightTypeOfMode(LightModeFamily::Keyboard, m).has_value())
            << mode;
        EXPECT_EQ(MousePadLightModeMatrix(m).sameLight, CommonLightTypeOfMode(LightModeFamily::Shared, m).has_value())
            << mode;
    }
}

TEST(LightModeMatrixTest, KeyboardRowsOfNote) {
    const LightPanelLayout all = KeyboardLightModeMatrix(1);
    EXPECT_TRUE(all.randomColour && all.colour && all.rgbEdits && all.direction && all.brightness && all.speed);

    const LightPanelLayout custom = KeyboardLightModeMatrix(38);
    EXPECT_TRUE(custom.customGroups);
    EXPECT_TRUE(custom.colour);
    EXPECT_TRUE(custom.brightness);
    EXPECT_FALSE(custom.directionShown);
    EXPECT_FALSE(custom.speed);
    EXPECT_FALSE(custom.randomColour);

    const LightPanelLayout inOut = KeyboardLightModeMatrix(4);
    EXPECT_EQ(inOut.directionGroup, DirectionGroup::InOut);
    EXPECT_TRUE(inOut.direction);
    EXPECT_FALSE(inOut.rgbEdits);
    EXPECT_EQ(KeyboardLightModeMatrix(14).directionGroup, DirectionGroup::UpDown);

    const LightPanelLayout off = KeyboardLightModeMatrix(24);
    EXPECT_FALSE(off.brightness || off.speed || off.colour || off.direction);
}

TEST(LightModeMatrixTest, ModesWithoutControlsOfferNothing) {
    for (uint8_t mode : {0, 10, 11, 17, 18, 25, 30, 33, 40, 200}) {
        EXPECT_EQ(KeyboardLightModeMatrix(mode), Nothing()) << int(mode);
    }
    for (uint8_t mode : {5, 6, 7, 9, 12}) EXPECT_EQ(MousePadLightModeMatrix(mode), Nothing()) << int(mode);
}

TEST(LightModeMatrixTest, OnlyTheCustomModeHidesDirectionOrShowsGroups) {
    for (int mode = 0; mode < 40; ++mode) {
        const LightPanelLayout layout = KeyboardLightModeMatrix(static_cast<uint8_t>(mode));
        EXPECT_EQ(layout.customGroups, mode == 38) << mode;
        EXPECT_EQ(layout.directionShown, mode != 38) << mode;
    }
}

TEST(LightModeMatrixTest, PadRowsOfNote) {
    const LightPanelLayout wave = MousePadLightModeMatrix(0);
    EXPECT_TRUE(wave.randomColour && wave.colour && wave.direction && wave.brightness && wave.speed);
    EXPECT_FALSE(wave.sameLight);
    const LightPanelLayout fixed = MousePadLightModeMatrix(3);
    EXPECT_TRUE(fixed.colour && fixed.brightness);
    EXPECT_FALSE(fixed.randomColour || fixed.speed || fixed.direction);
    const LightPanelLayout spectrum = MousePadLightModeMatrix(1);
    EXPECT_TRUE(spectrum.brightness && spectrum.speed);
    EXPECT_FALSE(spectrum.colour);
}

}  // namespace
}  // namespace morvek
