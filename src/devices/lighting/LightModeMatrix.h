#pragma once
// What the light panel offers for each light mode: which controls are enabled, which
// direction group is shown, and whether "same light for all devices" is offered. The panel
// applies it whenever a mode is chosen; "lighteffect_layout" is always enabled.

#include <cstdint>

namespace morvek {

// The direction group the panel shows: left/right ("deng_fx_layout"), up/down
// ("deng_fx_updown_layout") or in/out ("deng_fx_inout_layout").
enum class DirectionGroup : uint8_t { LeftRight, UpDown, InOut };

struct LightPanelLayout {
    bool randomColour = false;  // "deng_7color_check"
    bool colour = false;        // "deng_color_layout" and "colorpallet_layout"
    bool rgbEdits = true;       // "deng_rgb_layout"
    bool direction = false;     // the shown direction group
    bool directionShown = true;
    DirectionGroup directionGroup = DirectionGroup::LeftRight;
    bool brightness = false;    // "deng_light_slider"
    bool speed = false;         // "deng_speed_slider"
    bool customGroups = false;  // "lightcustom_layout" shown
    // "deng_same_mode" shown; the view shows it only while the main window also allows
    // synchronised lighting (more than one device shown).
    bool sameLight = false;

    bool operator==(const LightPanelLayout&) const = default;
};

// The keyboard's modes 0-39; any other mode offers nothing.
LightPanelLayout KeyboardLightModeMatrix(uint8_t mode);
// The pad's modes 0-8; any other mode offers nothing, like mode 5.
LightPanelLayout MousePadLightModeMatrix(uint8_t mode);

}  // namespace morvek
