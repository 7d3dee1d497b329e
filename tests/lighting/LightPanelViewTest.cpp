// What the light panel shows for a light: the mode's controls by kind and the direction option
// of the group the mode shows.
#include <gtest/gtest.h>

#include "devicelink/DeviceTables.h"
#include "devices/lighting/LightPanelView.h"

namespace morvek {
namespace {

struct ViewCase {
    const char* what;
    LightPanelKind kind;
    uint8_t mode;
    uint8_t direction;
    const char* option;
    bool colour;
    bool directionEnabled;
    bool speed;
    bool sameLight;
    bool customGroups;
};

TEST(LightPanelViewTest, ModeDecidesControlsAndTheDirectionOptionOfItsGroup) {
    const ViewCase cases[] = {
        {"keyboard wave, left", LightPanelKind::Keyboard, 1, 1, "deng_FXL_check", true, true, true, false, false},
        {"keyboard wave, right", LightPanelKind::Keyboard, 1, 0, "deng_FXR_check", true, true, true, false, false},
        {"keyboard up/down mode", LightPanelKind::Keyboard, 14, 1, "deng_FXUP_check", true, true, false, false, false},
        {"keyboard in/out mode", LightPanelKind::Keyboard, 4, 0, "deng_FXOUT_check", false, true, true, false, false},
        {"keyboard breathing offers the same light", LightPanelKind::Keyboard, 8, 0, "deng_FXR_check", true, false,
         true, true, false},
        {"keyboard custom key colours", LightPanelKind::Keyboard, 38, 0, "deng_FXR_check", true, false, false, false,
         true},
        {"mouse wave", LightPanelKind::Mouse, 0, 1, "deng_FXL_check", true, true, true, false, false},
        {"mouse group flow", LightPanelKind::Mouse, 5, 0, "deng_FXR_check", true, true, true, false, false},
        {"mouse four-colour breathing", LightPanelKind::Mouse, 6, 0, "deng_FXR_check", false, false, true, false, false},
        {"mouse static as on the pad", LightPanelKind::Mouse, 3, 0, "deng_FXR_check", true, false, false, true, false},
        {"mouse custom light mode plays its own colours", LightPanelKind::Mouse, 11, 0, "deng_FXR_check", false, false,
         false, false, false},
        {"pad wave", LightPanelKind::MousePad, 0, 1, "deng_FXL_check", true, true, true, false, false},
        {"pad off offers the same light", LightPanelKind::MousePad, 8, 0, "deng_FXR_check", false, false, false, true,
         false},
        {"headset as the pad", LightPanelKind::Headset, 2, 0, "deng_FXR_check", true, false, true, true, false},
    };
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.what);
        LightSettings light;
        light.mode = c.mode;
        light.direction = c.direction;
        const LightPanelView view = ViewOfLight(light, c.kind);
        EXPECT_EQ(view.modeItem, c.mode);
        EXPECT_EQ(view.directionOption, c.option);
        EXPECT_EQ(view.layout.colour, c.colour);
        EXPECT_EQ(view.layout.direction, c.directionEnabled);
        EXPECT_EQ(view.layout.speed, c.speed);
        EXPECT_EQ(view.layout.sameLight, c.sameLight);
        EXPECT_EQ(view.layout.customGroups, c.customGroups);
    }
}

TEST(LightPanelViewTest, LevelsFlagAndColourAreShownAsStored) {
    LightSettings light;
    light.mode = 2;
    light.brightnessLevel = 3;
    light.speedLevel = 1;
    light.randomColour = 1;
    light.colour = {200, 100, 50};
    const LightPanelView view = ViewOfLight(light, LightPanelKind::MousePad);
    EXPECT_EQ(view.brightness, 3);
    EXPECT_EQ(view.speed, 1);
    EXPECT_TRUE(view.randomColour);
    EXPECT_EQ(view.colour, (LedColour{200, 100, 50}));
}

TEST(LightPanelViewTest, EachDeviceKindHasItsPanelKind) {
    EXPECT_EQ(LightPanelKindOfDevice(kKindKeyboard), LightPanelKind::Keyboard);
    EXPECT_EQ(LightPanelKindOfDevice(kKindMouse), LightPanelKind::Mouse);
    EXPECT_EQ(LightPanelKindOfDevice(kKindWirelessMouse), LightPanelKind::Mouse);
    EXPECT_EQ(LightPanelKindOfDevice(kKindMousePad), LightPanelKind::MousePad);
    EXPECT_EQ(LightPanelKindOfDevice(kKindHeadset), LightPanelKind::Headset);
}

}  // namespace
}  // namespace morvek
