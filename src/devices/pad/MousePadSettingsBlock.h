#pragma once
// The mouse pad's 21-byte settings block, block n at n x 64 of the pad's parameter memory. The
// model keeps the block as last read from the pad and copies its light settings into it; the
// direction and the bytes the host does not use stay as the pad reported them.

#include "devices/lighting/LightParamsBlock.h"

namespace morvek {

class MousePadSettingsBlock : public LightParamsBlock {
public:
    // Light modes from this one on are the host's only and are written as mode 0.
    static constexpr uint8_t kFirstHostOnlyMode = 9;

    // Mode, brightness, speed level, random-colour flag and colour go into bytes 1-3 and 5-8;
    // the direction (byte 4) is only ever set by reading the pad.
    void CopyLightSettings(const LightSettings& light) { CopyLight(light, false); }

    // The bytes to write: the speed as 4 - speed level, host-only modes as 0.
    Bytes Encoded() const;
};

// Begins a configuration session, writes the encoded block at blockIndex x 64 and ends the
// session (also after a failed write). Result of the first failing command, 1 on success; 0
// with nothing sent when the channel is closed; a negative index is refused.
int WriteMousePadSettings(CHidChannel& channel, const MousePadSettingsBlock& block, int blockIndex);
// Ends synchronised lighting for the pad, reads the number n of the block in use, then the
// block at n x 64 into block. On failure block is unchanged.
int ReadMousePadSettings(CHidChannel& channel, MousePadSettingsBlock& block);

}  // namespace morvek
