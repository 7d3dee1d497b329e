#pragma once
// One device's stored memories in the state file: every memory the host can write, as hex.
// The information record is fixed by the firmware and the frame buffer does not survive power loss,
// so neither is stored.

#include <json/value.h>

#include <optional>

#include "emulator/FirmwareMemory.h"

namespace morvek::emulator {

Json::Value StateOf(const FirmwareMemory& memory);
// The memories in the state, laid over the device's current ones; nothing when a member is
// missing, is not hex, or does not have the size of the device's memory.
std::optional<FirmwareMemory> MemoryFromState(const Json::Value& state, const FirmwareMemory& current);

}  // namespace morvek::emulator
