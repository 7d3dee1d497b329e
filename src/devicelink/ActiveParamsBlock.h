#pragma once
// Reads the settings block the device uses: byte 0 of the parameter memory names the block,
// which lies at that number times the block stride.

#include <cstdint>
#include <span>

#include "devicelink/HidChannel.h"

namespace morvek {

// Fills out with the block in use and blockInUse with its number; out is untouched on failure.
int ReadActiveParamsBlock(CHidChannel& channel, std::span<uint8_t> out, uint32_t stride, uint8_t& blockInUse);

}  // namespace morvek
