#pragma once
// morvekctl commands that read what a device reports: devices, info, key-table, power.

#include "cli/CommandContext.h"

namespace morvek::cli {

int RunDevices(CommandContext& ctx);
int RunInfo(CommandContext& ctx);
int RunKeyTable(CommandContext& ctx);
int RunPower(CommandContext& ctx);

}  // namespace morvek::cli
