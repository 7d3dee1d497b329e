#include "devices/mouse/MouseSettingBlock.h"

#include <algorithm>
#include <span>

#include "devicelink/ActiveParamsBlock.h"
#include "macros/LinkCheck.h"

namespace morvek {
namespace {

void Put16(std::span<uint8_t> bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

uint8_t WirelessSpeedByte(uint8_t speedLevel) {
    return static_cast<uint8_t>(MouseLightRecord::kTopSpeedLevel -
                                std::min(speedLevel, MouseLightRecord::kTopSpeedLevel));
}

MouseSettingBlock::Bytes MouseSettingBlock::Build(const MouseSettingInputs& inputs, bool wireless) {
    Bytes block{};
    block[0] = inputs.activeProfileValue;
    std::copy(inputs.light.bytes.begin(), inputs.light.bytes.end(), block.begin() + kLightOffset);
    if (inputs.light.IsCustomMode()) block[kLightOffset] = 0;
    if (wireless) block[kSpeedOffset] = WirelessSpeedByte(inputs.light.Speed());
    block[kPollingOffset] = inputs.pollingIndex;
    block[kCurrentStageOffset] = inputs.currentStage;
    const size_t stages = std::min(inputs.stages.size(), kStageCount);
    for (size_t i = 0; i < stages; ++i) {
        const auto record = inputs.stages[i].ToBytes();
        std::copy(record.begin(), record.end(), block.begin() + kStagesOffset + i * DpiStageRecord::kBytes);
    }
    block[kConstantOffset] = inputs.constantValue;
    Put16(block, kScreenOffset, inputs.screenWidth);
    Put16(block, kScreenOffset + 2, inputs.screenHeight);
    const auto selected = std::find_if(inputs.corrections.begin(), inputs.corrections.end(),
                                       [](const CorrectionEntry& c) { return c.select != 0; });
    if (selected != inputs.corrections.end()) {
        block[kCorrectionOffset] = selected->minSq;
        block[kCorrectionOffset + 1] = selected->pixThresh;
    }
    return block;
}

MouseLightRecord MouseSettingBlock::LightFrom(const ReadBytes& block, const MouseLightRecord& held, bool wireless) {
    MouseLightRecord light = held;
    light.bytes[0] = block[kLightOffset];
    light.bytes[1] = block[kLightOffset + 1];
    light.bytes[2] = wireless ? WirelessSpeedByte(block[kSpeedOffset]) : block[kSpeedOffset];
    for (size_t i = 4; i < MouseLightRecord::kSize; ++i) light.bytes[i] = block[kLightOffset + i];
    return light;
}

int WriteMouseSettings(CHidChannel& channel, const MouseSettingBlock::Bytes& block, int profileIndex) {
    if (profileIndex < 0) return kResultRefused;
    if (!channel.IsOpen() || !LinkReady(channel)) return kResultNoAnswer;
    const int begun = channel.BeginConfig();
    if (begun != kResultSuccess) return begun;
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int written =
        channel.WriteParams(block.data(), block.size(), static_cast<uint32_t>(profileIndex) * MouseSettingBlock::kStride);
    if (!LinkReady(channel)) return kResultNoAnswer;
    const int ended = channel.EndConfig();
    return written != kResultSuccess ? written : ended;
}

int ReadMouseSettings(CHidChannel& channel, MouseSettingBlock::ReadBytes& block, uint8_t& activeProfile) {
    if (!channel.IsOpen() || !LinkReady(channel)) return kResultNoAnswer;
    return ReadActiveParamsBlock(channel, block, MouseSettingBlock::kStride, activeProfile);
}

}  // namespace morvek
