#pragma once
// The headset's twelve equaliser presets: the gain of each of the ten bands, band 1 first.

#include "profiles/Hs6533Profiledata.h"

namespace morvek {

inline constexpr int kFirstEqPreset = 1;
inline constexpr int kLastEqPreset = 12;

bool IsEqPreset(int preset);
// The gains of a preset 1-12 (call only with IsEqPreset).
const EqBandValues& EqPresetBands(int preset);

}  // namespace morvek
