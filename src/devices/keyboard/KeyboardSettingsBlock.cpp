#include "devices/keyboard/KeyboardSettingsBlock.h"

#include "devicelink/ActiveParamsBlock.h"
#include "devicelink/DeviceKinds.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "devices/lighting/LightBlockLayout.h"

namespace morvek {

using namespace light_block;

namespace {

// The keyboard's own bytes after the light.
enum SystemByte : size_t {
    kWFlag = 19,
    kKey6Flag = 20,
    kWinLock = 21,
    kPollingRate = 22,
};

static_assert(kKeyboardSettingsBlockSize <= SettingsStrideOf(kKindKeyboard));

uint32_t BlockOffset(int blockIndex) { return static_cast<uint32_t>(blockIndex) * SettingsStrideOf(kKindKeyboard); }

}  // namespace

KeyboardSettingsBlock BuildKeyboardSettingsBlock(const LightSettings& light, const KeyboardSystemSettings& system,
                                                 uint8_t selector) {
    KeyboardSettingsBlock block{};
    block[kSelector] = selector;
    block[kMode] = light.mode >= kKeyboardFirstHostOnlyMode ? 0 : light.mode;
    block[kBrightness] = light.brightnessLevel;
    block[kSpeed] = SpeedByteOfLevel(light.speedLevel);
    block[kDirection] = light.direction;
    block[kRandomColour] = light.randomColour;
    block[kRed] = light.colour.c0;
    block[kGreen] = light.colour.c1;
    block[kBlue] = light.colour.c2;
    block[kWFlag] = static_cast<uint8_t>(system.wFlag);
    block[kKey6Flag] = static_cast<uint8_t>(system.key6Flag);
    block[kWinLock] = static_cast<uint8_t>(system.winLock);
    block[kPollingRate] = static_cast<uint8_t>(system.pollingRate);
    return block;
}

bool ApplyKeyboardSettingsBlock(const KeyboardSettingsBlock& block, LightSettings& light,
                                KeyboardSystemSettings& system) {
    const bool modeChanged = light.mode != block[kMode];
    light.mode = block[kMode];
    light.brightnessLevel = block[kBrightness];
    light.speedLevel = SpeedLevelOfByte(block[kSpeed]);
    light.direction = block[kDirection];
    light.randomColour = block[kRandomColour];
    light.colour = {block[kRed], block[kGreen], block[kBlue]};
    system.wFlag = block[kWFlag];
    system.key6Flag = block[kKey6Flag];
    system.winLock = block[kWinLock];
    return modeChanged;
}

int WriteKeyboardSettings(CHidChannel& channel, const KeyboardSettingsBlock& block, int blockIndex) {
    if (blockIndex < 0) return kResultRefused;
    if (!channel.IsOpen()) return kResultNoAnswer;
    const int written = channel.WriteParams(block.data(), block.size(), BlockOffset(blockIndex));
    const int ended = channel.EndConfig();
    return written != kResultSuccess ? written : ended;
}

int ReadKeyboardSettings(CHidChannel& channel, KeyboardSettingsBlock& block) {
    // The keyboard's own settings take over from synchronised lighting.
    channel.SetSynchronised(false);
    uint8_t inUse = 0;
    return ReadActiveParamsBlock(channel, block, SettingsStrideOf(kKindKeyboard), inUse);
}

}  // namespace morvek
