#include "devices/pad/MousePadSettingsBlock.h"

namespace morvek {
namespace {

constexpr size_t kModeByte = 1;

}  // namespace

MousePadSettingsBlock::Bytes MousePadSettingsBlock::Encoded() const {
    Bytes out = WithSpeedByte();
    if (out[kModeByte] >= kFirstHostOnlyMode) out[kModeByte] = 0;
    return out;
}

int WriteMousePadSettings(CHidChannel& channel, const MousePadSettingsBlock& block, int blockIndex) {
    return WriteLightParamsBlock(channel, block.Encoded(), blockIndex);
}

int ReadMousePadSettings(CHidChannel& channel, MousePadSettingsBlock& block) {
    channel.SetSynchronised(false);
    return ReadLightParamsBlock(channel, block);
}

}  // namespace morvek
