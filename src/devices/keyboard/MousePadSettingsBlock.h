#pragma once
// The mouse pad's 21-byte settings block, block n at n x 64 of the pad's parameter memory. The
// model keeps the block as last read from the pad and copies its light settings into it; the
// direction and the bytes the host does not use stay as the pad reported them.

#include <array>
#include <cstdint>

#include "devicelink/HidChannel.h"
#include "devicelink/LightSettings.h"

namespace morvek {

class MousePadSettingsBlock {
public:
    static constexpr size_t kSize = 21;
    static constexpr uint32_t kBlockStride = 64;
    // Light modes from this one on are the host's only and are written as mode 0.
    static constexpr uint8_t kFirstHostOnlyMode = 9;
    using Bytes = std::array<uint8_t, kSize>;

    // Mode, brightness, speed level, random-colour flag and colour go into bytes 1-3 and 5-8;
    // the direction (byte 4) is only ever set by reading the pad.
    void CopyLightSettings(const LightSettings& light);

    // The bytes to write: the speed as 4 - speed level, host-only modes as 0.
    Bytes Encoded() const;
    // The block as held in the model: byte 0 the number of the block in use, byte 3 the speed level.
    const Bytes& Held() const { return bytes_; }
    uint8_t BlockInUse() const { return bytes_[0]; }
    uint8_t Direction() const { return bytes_[4]; }

    // Takes a block read from the pad: byte 0 becomes the block number, the speed byte a level.
    void TakeRead(const Bytes& read, uint8_t blockInUse);

private:
    Bytes bytes_{};
};

// Begins a configuration session, writes the encoded block at blockIndex x 64 and ends the
// session (also after a failed write). Result of the first failing command, 1 on success; 0
// with nothing sent when the channel is closed; a negative index is refused.
int WriteMousePadSettings(CHidChannel& channel, const MousePadSettingsBlock& block, int blockIndex);
// Ends synchronised lighting for the pad, reads the number n of the block in use, then the
// block at n x 64 into block. On failure block is unchanged.
int ReadMousePadSettings(CHidChannel& channel, MousePadSettingsBlock& block);

}  // namespace morvek
