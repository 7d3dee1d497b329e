// Common light types of synchronised lighting.

#include <gtest/gtest.h>

#include "devicelink/DeviceKinds.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "devices/lighting/LightTypes.h"

namespace morvek {
namespace {

constexpr CommonLightType kAllTypes[] = {CommonLightType::Breathing, CommonLightType::Static,
                                         CommonLightType::Flashing, CommonLightType::ColourCycle,
                                         CommonLightType::Off};

TEST(LightTypesTest, ModesAndTypesMapBothWaysInEachFamily) {
    for (LightModeFamily family : {LightModeFamily::Keyboard, LightModeFamily::Shared}) {
        for (CommonLightType type : kAllTypes) {
            EXPECT_EQ(CommonLightTypeOfMode(family, LightModeOfCommonType(family, type)), type);
        }
    }
}

TEST(LightTypesTest, ModesWithoutACommonTypeOfferNone) {
    for (uint8_t mode : {0, 1, 3, 38, 255}) {
        EXPECT_EQ(CommonLightTypeOfMode(LightModeFamily::Keyboard, mode), std::nullopt) << int(mode);
    }
    for (uint8_t mode : {0, 5, 6, 7, 9}) {
        EXPECT_EQ(CommonLightTypeOfMode(LightModeFamily::Shared, mode), std::nullopt) << int(mode);
    }
}

TEST(LightTypesTest, KeyboardOffGivesMiceModeEightAndKeyboardsModeTwentyFour) {
    LightSettings keyboard;
    keyboard.mode = 24;
    keyboard.brightnessLevel = 2;
    keyboard.speedLevel = 3;
    keyboard.direction = 1;
    keyboard.randomColour = 1;
    keyboard.colour = {1, 2, 3};
    SetCustomLightGroupOf(keyboard, 4);
    const auto type = CommonLightTypeOfMode(LightModeFamily::Keyboard, keyboard.mode);
    ASSERT_EQ(type, CommonLightType::Off);

    LightSettings mouse;
    mouse.mode = 5;
    mouse.extra = {9, 9, 9, 9};
    const LightSettings mouseAfter =
        SynchronisedLightSettings(keyboard, *type, FindDeviceKind(kKindMouse)->lightFamily, mouse);
    EXPECT_EQ(mouseAfter.mode, 8);
    EXPECT_EQ(mouseAfter.brightnessLevel, 2);
    EXPECT_EQ(mouseAfter.speedLevel, 3);
    EXPECT_EQ(mouseAfter.direction, 1);
    EXPECT_EQ(mouseAfter.randomColour, 1);
    EXPECT_EQ(mouseAfter.colour, (LedColour{1, 2, 3}));
    EXPECT_EQ(mouseAfter.extra, mouse.extra);

    LightSettings otherKeyboard;
    SetCustomLightGroupOf(otherKeyboard, 7);
    const LightSettings keyboardAfter =
        SynchronisedLightSettings(keyboard, *type, FindDeviceKind(kKindKeyboard)->lightFamily, otherKeyboard);
    EXPECT_EQ(keyboardAfter.mode, 24);
    EXPECT_EQ(CustomLightGroupOf(keyboardAfter), 7);
}

TEST(LightTypesTest, PadBreathingGivesKeyboardsModeEight) {
    const auto type = CommonLightTypeOfMode(FindDeviceKind(kKindMousePad)->lightFamily, 2);
    ASSERT_EQ(type, CommonLightType::Breathing);
    EXPECT_EQ(LightModeOfCommonType(LightModeFamily::Keyboard, *type), 8);
    for (int kind : {kKindMouse, kKindWirelessMouse, kKindMousePad, kKindHeadset}) {
        EXPECT_EQ(FindDeviceKind(kind)->lightFamily, LightModeFamily::Shared) << kind;
    }
}

}  // namespace
}  // namespace morvek
