#include "devices/lighting/LightModeMatrix.h"

namespace morvek {
namespace {

// A mode's controls: random colour, colour, direction, brightness, speed.
LightPanelLayout Controls(bool randomColour, bool colour, bool direction, bool brightness, bool speed) {
    LightPanelLayout layout;
    layout.randomColour = randomColour;
    layout.colour = colour;
    layout.direction = direction;
    layout.brightness = brightness;
    layout.speed = speed;
    return layout;
}

LightPanelLayout WithSameLight(LightPanelLayout layout) {
    layout.sameLight = true;
    return layout;
}

}  // namespace

LightPanelLayout KeyboardLightModeMatrix(uint8_t mode) {
    switch (mode) {
    case 1: return Controls(true, true, true, true, true);
    case 2: {
        LightPanelLayout layout = WithSameLight(Controls(false, false, false, true, true));
        layout.rgbEdits = false;
        return layout;
    }
    case 3: case 5: case 7: case 9: return Controls(true, true, false, true, true);
    case 4: {
        LightPanelLayout layout = Controls(false, false, true, true, true);
        layout.directionGroup = DirectionGroup::InOut;
        layout.rgbEdits = false;
        return layout;
    }
    case 6: case 19: return WithSameLight(Controls(true, true, false, true, false));
    case 8: return WithSameLight(Controls(true, true, false, true, true));
    case 12: case 16: case 20: case 35: case 39: return Controls(true, true, false, true, false);
    case 13: case 15: case 21: case 36: case 37: return Controls(true, true, true, true, false);
    case 14: {
        LightPanelLayout layout = Controls(true, true, true, true, false);
        layout.directionGroup = DirectionGroup::UpDown;
        return layout;
    }
    case 22: case 23: return Controls(false, false, false, true, false);
    case 24: return WithSameLight(Controls(false, false, false, false, false));
    case 34: {
        LightPanelLayout layout = Controls(false, false, false, true, false);
        layout.rgbEdits = false;
        return layout;
    }
    case 38: {
        LightPanelLayout layout = Controls(false, true, false, true, false);
        layout.directionShown = false;
        layout.customGroups = true;
        return layout;
    }
    default: return Controls(false, false, false, false, false);
    }
}

LightPanelLayout MousePadLightModeMatrix(uint8_t mode) {
    switch (mode) {
    case 0: return Controls(true, true, true, true, true);
    case 1: return WithSameLight(Controls(false, false, false, true, true));
    case 2: case 4: return WithSameLight(Controls(true, true, false, true, true));
    case 3: return WithSameLight(Controls(false, true, false, true, false));
    case 8: return WithSameLight(Controls(false, false, false, false, false));
    default: return Controls(false, false, false, false, false);
    }
}

}  // namespace morvek
