#pragma once
// morvekctl commands that read what a device reports: devices, info, key-table, power.

#include <cstdint>
#include <string>

#include "cli/CommandContext.h"

namespace morvek::cli {

// The firmware version of an interface, read from its attributes; 0 when it cannot be opened.
uint16_t FirmwareVersion(hid::IHidBackend& backend, const std::string& path);

int RunDevices(CommandContext& ctx);
// Prints the udev rule file that gives the seat's user access to the devices.
int RunUdevRules(CommandContext& ctx);
int RunInfo(CommandContext& ctx);
int RunKeyTable(CommandContext& ctx);
int RunPower(CommandContext& ctx);

}  // namespace morvek::cli
