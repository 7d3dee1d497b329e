#pragma once
// The mouse's 66-byte settings block, written at profile x 128 of its parameter memory: the
// light record, the polling index, the current stage, the five DPI stages, the screen size and
// the correction pair. The mouse answers a read with 71 bytes whose first 66 follow the same
// layout.

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "devicelink/DeviceKinds.h"
#include "devicelink/HidChannel.h"
#include "devices/mouse/MouseLightRecord.h"
#include "profiles/CorrectionEntry.h"
#include "profiles/DpiStageRecord.h"

namespace morvek {

// Everything the block is built from.
struct MouseSettingInputs {
    std::vector<DpiStageRecord> stages;  // the first five go into the block
    uint8_t currentStage = 0;
    uint8_t pollingIndex = 0;
    MouseLightRecord light;
    uint8_t activeProfileValue = 0;  // offset 0
    uint8_t constantValue = 1;       // offset 59
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    std::vector<CorrectionEntry> corrections;
};

class MouseSettingBlock {
public:
    static constexpr size_t kSize = 66;
    static constexpr size_t kReadSize = 71;
    static constexpr uint32_t kStride = SettingsStrideOf(kKindMouse);
    static_assert(kReadSize <= kStride);
    static constexpr size_t kStageCount = 5;
    static constexpr size_t kLightOffset = 1;
    static constexpr size_t kSpeedOffset = 3;
    static constexpr size_t kPollingOffset = 11;
    static constexpr size_t kCurrentStageOffset = 12;
    static constexpr size_t kStagesOffset = 14;
    static constexpr size_t kConstantOffset = 59;
    static constexpr size_t kScreenOffset = 60;
    static constexpr size_t kCorrectionOffset = 64;
    using Bytes = std::array<uint8_t, kSize>;
    using ReadBytes = std::array<uint8_t, kReadSize>;

    // The block as the mouse gets it. Custom light modes go as effect 0; a wireless mouse takes
    // its speed byte as 4 - speed level. Missing stages are all zero; the correction pair comes
    // from the first selected correction entry, else 0.
    static Bytes Build(const MouseSettingInputs& inputs, bool wireless);

    // The light record of a block read back: effect, brightness, speed and bytes 4-7 from the
    // block; the direction (offset 4) is not the mouse's to change and stays held's. A wireless
    // mouse holds its speed as 4 - speed level, a wired one as the level itself.
    static MouseLightRecord LightFrom(const ReadBytes& block, const MouseLightRecord& held, bool wireless);
    static uint8_t CurrentStageFrom(const ReadBytes& block) { return block[kCurrentStageOffset]; }
    // Width and height of the screen the block carries.
    static std::pair<uint16_t, uint16_t> ScreenSizeFrom(const ReadBytes& block) {
        return {uint16_t(block[kScreenOffset] | block[kScreenOffset + 1] << 8),
                uint16_t(block[kScreenOffset + 2] | block[kScreenOffset + 3] << 8)};
    }
};

// The speed byte a wireless mouse keeps for a speed level, and back (levels above 4 count as 4).
uint8_t WirelessSpeedByte(uint8_t speedLevel);

// Writes the block at profileIndex x 128: begin, write, end, a link check before each on a
// wireless channel. The session is ended after a failed write too. 1 on success; 0 with
// nothing (more) sent when the channel is closed or the mouse out of reach; else the result
// of the failing command. A negative profile index is refused (kResultRefused).
int WriteMouseSettings(CHidChannel& channel, const MouseSettingBlock::Bytes& block, int profileIndex);

// Reads the number of the block in use and that block (71 bytes), after a link check on a
// wireless channel. On failure block and activeProfile are unchanged.
int ReadMouseSettings(CHidChannel& channel, MouseSettingBlock::ReadBytes& block, uint8_t& activeProfile);

}  // namespace morvek
