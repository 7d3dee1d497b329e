#pragma once
// morvekctl's mouse page commands: dpi, dpi-enable, polling and pointer. The mouse's rows of
// apply, light and read-profile are MouseModelCommands (ModelCommands.h).

#include "cli/CommandContext.h"

namespace morvek::cli {

// dpi STAGE VALUE: VALUE in DPI, as typed into the stage's edit box.
int RunDpi(CommandContext& ctx);
// dpi-enable STAGE 0|1
int RunDpiEnable(CommandContext& ctx);
// polling N (the polling option 0-4)
int RunPolling(CommandContext& ctx);
// pointer [--speed N] [--precision 0|1] [--double-click N] [--scroll N] [--scroll-page 0|1]
int RunPointer(CommandContext& ctx);

}  // namespace morvek::cli
