#include "devices/lighting/LightParamsBlock.h"

#include "devicelink/ActiveParamsBlock.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "devices/lighting/LightBlockLayout.h"

namespace morvek {

using namespace light_block;

void LightParamsBlock::TakeRead(const Bytes& read, uint8_t blockInUse) {
    bytes_ = read;
    bytes_[kSelector] = blockInUse;
    bytes_[kSpeed] = SpeedLevelOfByte(read[kSpeed]);
}

void LightParamsBlock::CopyLight(const LightSettings& light, bool withDirection) {
    bytes_[kMode] = light.mode;
    bytes_[kBrightness] = light.brightnessLevel;
    bytes_[kSpeed] = light.speedLevel;
    if (withDirection) bytes_[kDirection] = light.direction;
    bytes_[kRandomColour] = light.randomColour;
    bytes_[kRed] = light.colour.c0;
    bytes_[kGreen] = light.colour.c1;
    bytes_[kBlue] = light.colour.c2;
}

LightParamsBlock::Bytes LightParamsBlock::WithSpeedByte() const {
    Bytes out = bytes_;
    out[kSpeed] = SpeedByteOfLevel(bytes_[kSpeed]);
    return out;
}

int WriteLightParamsBlock(CHidChannel& channel, const LightParamsBlock::Bytes& encoded, int blockIndex) {
    if (blockIndex < 0) return kResultRefused;
    return WriteParamsBlock(channel, encoded, static_cast<uint32_t>(blockIndex) * LightParamsBlock::kBlockStride);
}

int ReadLightParamsBlock(CHidChannel& channel, LightParamsBlock& block) {
    uint8_t inUse = 0;
    LightParamsBlock::Bytes read{};
    const int result = ReadActiveParamsBlock(channel, read, LightParamsBlock::kBlockStride, inUse);
    if (result == kResultSuccess) block.TakeRead(read, inUse);
    return result;
}

}  // namespace morvek
