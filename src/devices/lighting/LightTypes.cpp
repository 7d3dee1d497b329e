#include "devices/lighting/LightTypes.h"

#include <array>

namespace morvek {
namespace {

constexpr size_t kTypeCount = 5;
// Mode of each common type, indexed by the type.
constexpr std::array<uint8_t, kTypeCount> kKeyboardModes = {8, 6, 19, 2, 24};
constexpr std::array<uint8_t, kTypeCount> kSharedModes = {2, 3, 4, 1, 8};

const std::array<uint8_t, kTypeCount>& ModesOf(LightModeFamily family) {
    return family == LightModeFamily::Keyboard ? kKeyboardModes : kSharedModes;
}

}  // namespace

std::optional<CommonLightType> CommonLightTypeOfMode(LightModeFamily family, uint8_t mode) {
    const auto& modes = ModesOf(family);
    for (size_t type = 0; type < modes.size(); ++type) {
        if (modes[type] == mode) return static_cast<CommonLightType>(type);
    }
    return std::nullopt;
}

uint8_t LightModeOfCommonType(LightModeFamily family, CommonLightType type) {
    return ModesOf(family)[static_cast<size_t>(type)];
}

LightSettings SynchronisedLightSettings(const LightSettings& source, CommonLightType type, LightModeFamily family,
                                        const LightSettings& target) {
    LightSettings result = source;
    result.mode = LightModeOfCommonType(family, type);
    result.extra = target.extra;
    return result;
}

}  // namespace morvek
