#pragma once
// The headset's 21-byte light head, at profile x 64 of its parameter memory: byte 0 the
// active profile number, bytes 1-8 the light record (effect, brightness, speed, direction,
// random-colour flag, red, green, blue), bytes 9-20 as last read from the headset.

#include <array>
#include <cstdint>

#include "devicelink/HidChannel.h"
#include "devicelink/LightSettings.h"

namespace morvek {

class HeadsetLightHead {
public:
    static constexpr size_t kSize = 21;
    static constexpr uint32_t kStride = 64;
    using Bytes = std::array<uint8_t, kSize>;

    // The light record into bytes 1-8; the speed is held as its level.
    void CopyLightSettings(const LightSettings& light);
    // The bytes to write: the speed as 4 - speed level.
    Bytes Encoded() const;
    const Bytes& Held() const { return bytes_; }
    uint8_t ActiveProfile() const { return bytes_[0]; }
    // A head read from the headset; its speed byte becomes a level again.
    void TakeRead(const Bytes& read, uint8_t activeProfile);

private:
    Bytes bytes_{};
};

// Begin, the head at profile x 64, end. Result of the first failing command, 1 on success;
// 0 with nothing sent when the channel is closed; a negative profile is refused.
int WriteHeadsetLightHead(CHidChannel& channel, const HeadsetLightHead& head, int profile);
// Reads the active profile p (byte 0 of the parameter memory), then the head at p x 64, where
// it is written. On failure the head is unchanged.
int ReadHeadsetLightHead(CHidChannel& channel, HeadsetLightHead& head);

}  // namespace morvek
