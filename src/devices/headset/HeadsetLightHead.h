#pragma once
// The headset's 21-byte light head, at profile x 64 of its parameter memory: byte 0 the
// active profile number, bytes 1-8 the light record (effect, brightness, speed, direction,
// random-colour flag, red, green, blue), bytes 9-20 as last read from the headset.

#include "devices/lighting/LightParamsBlock.h"

namespace morvek {

class HeadsetLightHead : public LightParamsBlock {
public:
    // The whole light record into bytes 1-8, the direction too; the speed is held as its level.
    void CopyLightSettings(const LightSettings& light) { CopyLight(light, true); }
    // The bytes to write: the speed as 4 - speed level.
    Bytes Encoded() const { return WithSpeedByte(); }
    uint8_t ActiveProfile() const { return BlockInUse(); }
};

// Begin, the head at profile x 64, end. Result of the first failing command, 1 on success;
// 0 with nothing sent when the channel is closed; a negative profile is refused.
inline int WriteHeadsetLightHead(CHidChannel& channel, const HeadsetLightHead& head, int profile) {
    return WriteLightParamsBlock(channel, head.Encoded(), profile);
}
// Reads the active profile p (byte 0 of the parameter memory), then the head at p x 64, where
// it is written. On failure the head is unchanged.
inline int ReadHeadsetLightHead(CHidChannel& channel, HeadsetLightHead& head) {
    return ReadLightParamsBlock(channel, head);
}

}  // namespace morvek
