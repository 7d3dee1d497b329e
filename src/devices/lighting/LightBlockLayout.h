#pragma once
// The light settings at the head of a device's settings block, laid out alike in the keyboard's
// 25-byte block and in the 21-byte light block of the mouse pad and the headset: byte 0 names
// the block in use, bytes 1-8 hold the light. What follows byte 8 is each device's own.

#include <cstddef>

namespace morvek::light_block {

inline constexpr size_t kSelector = 0;
inline constexpr size_t kMode = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeed = 3;  // the device stores 4 - speed level
inline constexpr size_t kDirection = 4;
inline constexpr size_t kRandomColour = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;

}  // namespace morvek::light_block
