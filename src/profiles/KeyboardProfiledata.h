#pragma once
// The keyboard's profile document: the base readers plus the keyboard system values and the
// custom light groups (one colour per key and group).

#include <array>
#include <cstdint>
#include <vector>

#include "profiles/BasicProfiledata.h"
#include "profiles/LightColor.h"

namespace morvek {

// "SystemStages" in memory: word 0 = RepeatDelay << 16 | Repeat, word 1 = PollingRate << 16 |
// Key6Flag, word 2 = WinFlag << 16 | WFlag.
using KeyboardSystemWords = std::array<uint32_t, 3>;

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // Requests outside these bounds read nothing and create nothing, so a tampered group
    // number cannot make the document grow without end.
    static constexpr int kMaxCustomLightGroups = 256;
    static constexpr int kMaxCustomLightColors = 1024;

    KeyboardSystemWords ReadKeyboardSystem();
    void WriteKeyboardSystem(const KeyboardSystemWords& words);

    // The first count colours of group; absent colours are created in memory as zeros.
    const std::vector<LightColor>& ReadCustomLightColors(int group, int count);
    // Sets the first colours.size() colours of group.
    void WriteCustomLightColors(int group, const std::vector<LightColor>& colours);

    int GetCustomLightGroup() const;
    void SetCustomLightGroup(int group);

    const KeyboardSystemWords& KeyboardSystem() const { return system_; }
    const std::vector<LightColor>& CustomLightColors() const { return colours_; }

private:
    KeyboardSystemWords system_{};
    std::vector<LightColor> colours_;
};

}  // namespace morvek
