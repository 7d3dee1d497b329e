#pragma once
// The 7.1 tab's settings: the virtual surround ("VirtualSurroundEffectControl") and the room
// effect ("Enable_RFX_GFX") with its environment ("RFX_ENVIRONMENT") and room size
// ("RFX_ROOMSIZE"), all on the playback device. The library keeps them; the profile document
// has no place for them, so they are read back from the library at start-up.

namespace morvek {

struct HeadsetSurround {
    bool surroundOn = false;
    bool roomOn = false;
    int environment = 0;  // 0 .. kSurroundEnvironmentCount - 1
    int roomSize = 0;     // 0 .. kMaxRoomSize

    bool operator==(const HeadsetSurround&) const = default;
};

// The room environments the tab offers (its "virtual_environment_" texts).
inline constexpr int kSurroundEnvironmentCount = 6;
inline constexpr int kMaxRoomSize = 100;

}  // namespace morvek
