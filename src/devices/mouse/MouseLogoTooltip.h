#pragma once
// The tooltip of the mouse picture's logo LED as label ids: the view translates the ids
// through its text resources and shows the parts one after the other.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "devices/keys/KeyLabels.h"
#include "profiles/DefaultData.h"

namespace morvek {

inline constexpr std::string_view kLogoTooltipTitle = "Logo";

struct MouseLogoTooltip {
    std::string title;                // shown as it is
    std::vector<KeyLabelPart> parts;  // "Light_Set", a line break, "Overall_Light_Set", the effect's name

    bool operator==(const MouseLogoTooltip&) const = default;
};

// The tooltip for effect: effects 0-8 name their entry of the built-in effect list (a label
// id), custom light modes (9 and above) the custom mode's name as it is; an entry the lists
// lack adds no name.
MouseLogoTooltip LogoTooltipFor(uint8_t effect, std::span<const LightEffectName> builtInEffects,
                                std::span<const std::string> customModes);

}  // namespace morvek
