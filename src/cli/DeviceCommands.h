#pragma once
// morvekctl commands that read what a device reports: devices, info, key-table, power.

#include "cli/CommandContext.h"

namespace morvek::cli {

int RunDevices(CommandContext& ctx);
// Prints the udev rule file that gives the seat's user access to the devices.
int RunUdevRules(CommandContext& ctx);
int RunInfo(CommandContext& ctx);
int RunKeyTable(CommandContext& ctx);
int RunPower(CommandContext& ctx);

}  // namespace morvek::cli
