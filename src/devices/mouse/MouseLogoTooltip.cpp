#include "devices/mouse/MouseLogoTooltip.h"

#include "devices/mouse/MouseLightRecord.h"

namespace morvek {

MouseLogoTooltip LogoTooltipFor(uint8_t effect, std::span<const LightEffectName> builtInEffects,
                                std::span<const std::string> customModes) {
    MouseLogoTooltip tip{std::string(kLogoTooltipTitle),
                         {{"Light_Set", true}, {"\n", false}, {"Overall_Light_Set", true}}};
    if (effect < MouseLightRecord::kFirstCustomEffect) {
        if (effect < builtInEffects.size()) tip.parts.push_back({builtInEffects[effect].name, true});
    } else {
        const size_t mode = effect - MouseLightRecord::kFirstCustomEffect;
        if (mode < customModes.size()) tip.parts.push_back({customModes[mode], false});
    }
    return tip;
}

}  // namespace morvek
