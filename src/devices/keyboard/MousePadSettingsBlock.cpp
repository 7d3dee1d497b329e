#include "devices/keyboard/MousePadSettingsBlock.h"

#include "devicelink/ActiveParamsBlock.h"
#include "devices/keyboard/KeyboardLightSettings.h"

namespace morvek {
namespace {

enum BlockByte : size_t {
    kBlockInUse = 0,
    kMode = 1,
    kBrightness = 2,
    kSpeed = 3,
    kDirection = 4,
    kRandomColour = 5,
    kRed = 6,
    kGreen = 7,
    kBlue = 8,
};

uint32_t BlockOffset(int blockIndex) {
    return static_cast<uint32_t>(blockIndex) * MousePadSettingsBlock::kBlockStride;
}

}  // namespace

void MousePadSettingsBlock::CopyLightSettings(const LightSettings& light) {
    bytes_[kMode] = light.mode;
    bytes_[kBrightness] = light.brightnessLevel;
    bytes_[kSpeed] = light.speedLevel;
    bytes_[kRandomColour] = light.randomColour;
    bytes_[kRed] = light.colour.c0;
    bytes_[kGreen] = light.colour.c1;
    bytes_[kBlue] = light.colour.c2;
}

MousePadSettingsBlock::Bytes MousePadSettingsBlock::Encoded() const {
    Bytes out = bytes_;
    out[kSpeed] = SpeedByteOfLevel(bytes_[kSpeed]);
    if (out[kMode] >= kFirstHostOnlyMode) out[kMode] = 0;
    return out;
}

void MousePadSettingsBlock::TakeRead(const Bytes& read, uint8_t blockInUse) {
    bytes_ = read;
    bytes_[kBlockInUse] = blockInUse;
    bytes_[kSpeed] = SpeedLevelOfByte(read[kSpeed]);
}

int WriteMousePadSettings(CHidChannel& channel, const MousePadSettingsBlock& block, int blockIndex) {
    if (blockIndex < 0) return kResultRefused;
    const MousePadSettingsBlock::Bytes bytes = block.Encoded();
    return WriteParamsBlock(channel, bytes, BlockOffset(blockIndex));
}

int ReadMousePadSettings(CHidChannel& channel, MousePadSettingsBlock& block) {
    channel.SetSynchronised(false);
    uint8_t inUse = 0;
    MousePadSettingsBlock::Bytes read{};
    const int result = ReadActiveParamsBlock(channel, read, MousePadSettingsBlock::kBlockStride, inUse);
    if (result == kResultSuccess) block.TakeRead(read, inUse);
    return result;
}

}  // namespace morvek
