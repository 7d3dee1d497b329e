#pragma once
// Common light types of synchronised lighting ("same light for all devices"): the effects every
// device kind can show, and the light mode each kind uses for them.

#include <cstdint>
#include <optional>

#include "devicelink/LightSettings.h"

namespace morvek {

enum class CommonLightType : uint8_t { Breathing = 0, Static = 1, Flashing = 2, ColourCycle = 3, Off = 4 };

// The common type of a light mode; none for a mode without one (synchronisation is not offered).
std::optional<CommonLightType> CommonLightTypeOfMode(LightModeFamily family, uint8_t mode);
uint8_t LightModeOfCommonType(LightModeFamily family, CommonLightType type);

// A target device's light settings after synchronisation: the type's mode of its family and the
// source's brightness, speed, direction, random-colour flag and colour; the target's own
// bytes 8-11 (the keyboard's custom group) stay.
LightSettings SynchronisedLightSettings(const LightSettings& source, CommonLightType type, LightModeFamily family,
                                        const LightSettings& target);

}  // namespace morvek
