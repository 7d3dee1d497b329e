#pragma once
// The keyboard's 25-byte settings block: the light settings and the system flags the keyboard
// keeps in its parameter memory, block n at n x 25. Byte 0 of the memory (the selector of
// block 0) is the number of the block in use.

#include <array>
#include <cstdint>

#include "devicelink/HidChannel.h"
#include "devicelink/LightSettings.h"
#include "devices/keyboard/KeyboardSystemSettings.h"

namespace morvek {

constexpr size_t kKeyboardSettingsBlockSize = 25;
using KeyboardSettingsBlock = std::array<uint8_t, kKeyboardSettingsBlockSize>;

// Light modes from this one on have no firmware effect and are written as mode 0.
constexpr uint8_t kKeyboardFirstHostOnlyMode = 25;

// Byte 0 selector; 1 mode (0 for host-only modes); 2 brightness; 3 4 - speed; 4 direction;
// 5 random-colour flag; 6-8 red, green, blue; 19 W flag; 20 6-key flag; 21 Windows-key lock;
// 22 polling rate option; all other bytes 0.
KeyboardSettingsBlock BuildKeyboardSettingsBlock(const LightSettings& light, const KeyboardSystemSettings& system,
                                                 uint8_t selector);

// Takes a block read from the keyboard into the model's values: light bytes 0-7 (the speed
// converted back, the custom group kept) and the W, 6-key and Windows-key lock flags. The
// polling rate and the repeat values are not read back. True when the light mode changed (the
// preview then restarts its effect).
bool ApplyKeyboardSettingsBlock(const KeyboardSettingsBlock& block, LightSettings& light,
                                KeyboardSystemSettings& system);

// Writes block blockIndex at blockIndex x 25, then ends the configuration session (also after
// a failed write, so the keyboard is not left in it). Result of the first failing command, 1
// on success; 0 with nothing sent when the channel is closed; a negative index is refused.
int WriteKeyboardSettings(CHidChannel& channel, const KeyboardSettingsBlock& block, int blockIndex);
// Ends synchronised lighting for the keyboard, then reads the number n of the block in use and
// the block at n x 25. On failure block is unchanged.
int ReadKeyboardSettings(CHidChannel& channel, KeyboardSettingsBlock& block);

}  // namespace morvek
