#pragma once
// The settings blocks of a device's parameter memory. Reading: byte 0 of the parameter memory
// names the block the device uses, which lies at that number times the block stride. Writing:
// one configuration session around the block.

#include <cstdint>
#include <span>

#include "devicelink/HidChannel.h"

namespace morvek {

// Fills out with the block in use and blockInUse with its number; out is untouched on failure.
int ReadActiveParamsBlock(CHidChannel& channel, std::span<uint8_t> out, uint32_t stride, uint8_t& blockInUse);

// Begins a configuration session, writes bytes at offset and ends the session (also after a
// failed write). Result of the first failing command, 1 on success; 0 with nothing sent when
// the channel is closed.
int WriteParamsBlock(CHidChannel& channel, std::span<const uint8_t> bytes, uint32_t offset);

}  // namespace morvek
