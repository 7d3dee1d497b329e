#pragma once
// The 21-byte light block the mouse pad and the headset keep in their parameter memory, block n
// at n x 64: byte 0 the number of the block in use, bytes 1-8 the light settings (mode,
// brightness, speed, direction, random-colour flag, red, green, blue), bytes 9-20 the device's
// own. The model holds the block as last read, with the speed as a level; the device stores the
// speed byte as 4 - level.

#include <array>
#include <cstdint>

#include "devicelink/DeviceKinds.h"
#include "devicelink/HidChannel.h"
#include "devicelink/LightSettings.h"
#include "devices/lighting/LightBlockLayout.h"

namespace morvek {

class LightParamsBlock {
public:
    static constexpr size_t kSize = 21;
    // The pad's and the headset's blocks lie alike.
    static constexpr uint32_t kBlockStride = SettingsStrideOf(kKindMousePad);
    static_assert(kBlockStride == SettingsStrideOf(kKindHeadset) && kSize <= kBlockStride);
    using Bytes = std::array<uint8_t, kSize>;

    const Bytes& Held() const { return bytes_; }
    uint8_t BlockInUse() const { return bytes_[light_block::kSelector]; }
    uint8_t Direction() const { return bytes_[light_block::kDirection]; }
    // Takes a block read from the device: byte 0 becomes the block number, the speed byte a level.
    void TakeRead(const Bytes& read, uint8_t blockInUse);

protected:
    // The light settings into bytes 1-8; the direction only when withDirection is set.
    void CopyLight(const LightSettings& light, bool withDirection);
    // The held bytes with the speed as the device stores it.
    Bytes WithSpeedByte() const;

private:
    Bytes bytes_{};
};

// Begins a configuration session, writes the bytes at blockIndex x 64 and ends the session.
// Result of the first failing command, 1 on success; 0 with nothing sent when the channel is
// closed; a negative index is refused.
int WriteLightParamsBlock(CHidChannel& channel, const LightParamsBlock::Bytes& encoded, int blockIndex);
// Reads the number n of the block in use, then the block at n x 64 into block. On failure
// block is unchanged.
int ReadLightParamsBlock(CHidChannel& channel, LightParamsBlock& block);

}  // namespace morvek
