#pragma once
// morvekctl commands that act on the emulated devices (only with --emulate).

#include "cli/CommandContext.h"

namespace morvek::cli {

// emulator dump [KIND] | press KIND SLOT | release KIND SLOT | event KIND CODE
int RunEmulator(CommandContext& ctx);

}  // namespace morvek::cli
