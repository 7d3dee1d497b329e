#include "devices/lighting/LightPanelView.h"

#include "devicelink/DeviceKinds.h"
#include "devices/mouse/MouseLightRecord.h"

namespace morvek {
namespace {

LightPanelLayout Controls(bool colour, bool direction, bool speed) {
    LightPanelLayout layout;
    layout.randomColour = colour;
    layout.colour = colour;
    layout.direction = direction;
    layout.brightness = true;
    layout.speed = speed;
    return layout;
}

const char* DirectionOption(DirectionGroup group, bool forwards) {
    switch (group) {
        case DirectionGroup::UpDown: return forwards ? "deng_FXUP_check" : "deng_FXDOWN_check";
        case DirectionGroup::InOut: return forwards ? "deng_FXIN_check" : "deng_FXOUT_check";
        case DirectionGroup::LeftRight: break;
    }
    return forwards ? "deng_FXL_check" : "deng_FXR_check";
}

}  // namespace

LightPanelKind LightPanelKindOfDevice(uint16_t deviceKind) {
    switch (ListKindOf(deviceKind)) {
        case kKindKeyboard: return LightPanelKind::Keyboard;
        case kKindMouse: return LightPanelKind::Mouse;
        case kKindHeadset: return LightPanelKind::Headset;
        default: return LightPanelKind::MousePad;
    }
}

LightPanelLayout MouseLightModeMatrix(uint8_t mode) {
    switch (mode) {
        case 0:
        case 5: return Controls(true, true, true);
        case 6:
        case 7: return Controls(false, false, true);
        default: break;
    }
    if (mode >= MouseLightRecord::kFirstCustomEffect) return LightPanelLayout{};
    return MousePadLightModeMatrix(mode);
}

LightPanelLayout LightPanelLayoutOf(LightPanelKind kind, uint8_t mode) {
    switch (kind) {
        case LightPanelKind::Keyboard: return KeyboardLightModeMatrix(mode);
        case LightPanelKind::Mouse: return MouseLightModeMatrix(mode);
        case LightPanelKind::MousePad:
        case LightPanelKind::Headset: break;
    }
    return MousePadLightModeMatrix(mode);
}

LightPanelView ViewOfLight(const LightSettings& light, LightPanelKind kind) {
    LightPanelView view;
    view.modeItem = light.mode;
    view.layout = LightPanelLayoutOf(kind, light.mode);
    view.brightness = light.brightnessLevel;
    view.speed = light.speedLevel;
    view.directionOption = DirectionOption(view.layout.directionGroup, light.direction != 0);
    view.randomColour = light.randomColour != 0;
    view.colour = light.colour;
    return view;
}

}  // namespace morvek
