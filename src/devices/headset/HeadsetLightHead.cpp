#include "devices/headset/HeadsetLightHead.h"

#include "devicelink/ActiveParamsBlock.h"
#include "devices/keyboard/KeyboardLightSettings.h"

namespace morvek {
namespace {

enum HeadByte : size_t {
    kActiveProfile = 0,
    kEffect = 1,
    kBrightness = 2,
    kSpeed = 3,
    kDirection = 4,
    kRandomColour = 5,
    kRed = 6,
    kGreen = 7,
    kBlue = 8,
};

}  // namespace

void HeadsetLightHead::CopyLightSettings(const LightSettings& light) {
    bytes_[kEffect] = light.mode;
    bytes_[kBrightness] = light.brightnessLevel;
    bytes_[kSpeed] = light.speedLevel;
    bytes_[kDirection] = light.direction;
    bytes_[kRandomColour] = light.randomColour;
    bytes_[kRed] = light.colour.c0;
    bytes_[kGreen] = light.colour.c1;
    bytes_[kBlue] = light.colour.c2;
}

HeadsetLightHead::Bytes HeadsetLightHead::Encoded() const {
    Bytes out = bytes_;
    out[kSpeed] = SpeedByteOfLevel(bytes_[kSpeed]);
    return out;
}

void HeadsetLightHead::TakeRead(const Bytes& read, uint8_t activeProfile) {
    bytes_ = read;
    bytes_[kActiveProfile] = activeProfile;
    bytes_[kSpeed] = SpeedLevelOfByte(read[kSpeed]);
}

int WriteHeadsetLightHead(CHidChannel& channel, const HeadsetLightHead& head, int profile) {
    if (profile < 0) return kResultRefused;
    const HeadsetLightHead::Bytes bytes = head.Encoded();
    return WriteParamsBlock(channel, bytes, static_cast<uint32_t>(profile) * HeadsetLightHead::kStride);
}

int ReadHeadsetLightHead(CHidChannel& channel, HeadsetLightHead& head) {
    uint8_t active = 0;
    HeadsetLightHead::Bytes read{};
    const int result = ReadActiveParamsBlock(channel, read, HeadsetLightHead::kStride, active);
    if (result == kResultSuccess) head.TakeRead(read, active);
    return result;
}

}  // namespace morvek
