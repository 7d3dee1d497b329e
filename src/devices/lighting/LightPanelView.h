#pragma once
// What the light panel shows for a device's light settings, without widgets: the mode item,
// which parts of the panel its mode uses (LightModeMatrix), the levels, the checked direction
// option of the shown direction group, the random-colour flag and the colour. The panel copies
// it into its controls; every kind's panel is the same but for its mode numbering.

#include <cstdint>
#include <string>

#include "devicelink/LightSettings.h"
#include "devices/lighting/LightModeMatrix.h"

namespace morvek {

// Whose modes the panel shows: the keyboard's 40, the mouse's (0-8 built in, 9 and above its
// custom light modes), the pad's nine (the headset uses the pad's).
enum class LightPanelKind : uint8_t { Keyboard, Mouse, MousePad, Headset };

LightPanelKind LightPanelKindOfDevice(uint16_t deviceKind);

// The mouse's modes: the wave and group flow take colour, direction and both levels; spectrum,
// breathing, static, flash and off as on the pad; the four-colour effects only the levels; its
// custom light modes (9 and above) play their own colours and offer nothing.
LightPanelLayout MouseLightModeMatrix(uint8_t mode);

// The controls a mode uses on a panel of that kind.
LightPanelLayout LightPanelLayoutOf(LightPanelKind kind, uint8_t mode);

struct LightPanelView {
    int modeItem = 0;  // the item of "light_combo_modeSelect"
    LightPanelLayout layout;
    int brightness = 0;  // "deng_light_slider"
    int speed = 0;       // "deng_speed_slider"
    // The direction option to check in the shown group: "deng_FXL_check", "deng_FXUP_check" or
    // "deng_FXIN_check" for direction 1, the other option of the group for 0.
    std::string directionOption;
    bool randomColour = false;  // "deng_7color_check"
    LedColour colour;           // the edits, the palette and "deng_colordp_btn"

    bool operator==(const LightPanelView&) const = default;
};

LightPanelView ViewOfLight(const LightSettings& light, LightPanelKind kind);

}  // namespace morvek
