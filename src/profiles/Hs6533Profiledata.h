#pragma once
// The headset's profile document: the base readers plus the eight headset values, the band
// values of the equaliser presets and the user equalisers.

#include <array>
#include <string>
#include <vector>

#include "profiles/BasicProfiledata.h"

namespace morvek {

// "SystemSetStages": MagicEnable, MagicType, EqType, CustomEqSeletIndex, MicInSelect,
// MicInValue, MicMoniterSelect, MicMoniterValue.
using HeadsetSystemValues = std::array<int, 8>;
using EqBandValues = std::array<int, 10>;

class CHs6533Profiledata : public CBasicProfiledata {
public:
    static constexpr int kBandCount = 10;
    // The headset keeps at most this many user equalisers.
    static constexpr int kMaxCustomEqPresets = 20;
    // The equaliser type that means "a user equaliser": it has no preset slot.
    static constexpr int kCustomEqType = 13;

    // The "EQHzValueInfo" slot of an equaliser type: the type for 1 to 12, 1 for 0 and for types
    // above 13, none (-1) for 13.
    static int EqSlot(int type);

    HeadsetSystemValues ReadHeadsetSystem();
    void WriteHeadsetSystem(const HeadsetSystemValues& values);
    const HeadsetSystemValues& HeadsetSystem() const { return system_; }

    // The ten band values of the type's slot (absent ones are created in memory as 0); empty
    // for type 13.
    std::vector<int> ReadEqBands(int type);
    void WriteEqBands(int type, const EqBandValues& values);

    std::vector<std::string> ReadCustomEqNames() const;
    void WriteCustomEqNames(const std::vector<std::string>& names);

    // Like ReadEqBands for a user equaliser; empty for a preset number out of range.
    std::vector<int> ReadCustomEqBands(int preset);
    void WriteCustomEqBands(int preset, const EqBandValues& values);
    // Removes a user equaliser's band values; those after it move up one place.
    void RemoveCustomEqBands(int preset);

private:
    HeadsetSystemValues system_{};
};

}  // namespace morvek
