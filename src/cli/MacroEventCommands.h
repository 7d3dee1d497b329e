#pragma once
// morvekctl macro event commands: the editor's operations on the actions of the selected macro
// of the keyboard or the mouse, each saving the macro as the editor does.

#include "cli/CommandContext.h"

namespace morvek::cli {

// macro event move INDEX up|down|top|bottom, macro event delete INDEX|all,
// macro event delay INDEX MS, macro event insert POSITION ACTION [DISTANCE], each --kind KIND.
// ctx.args starts with "event".
int RunMacroEvent(CommandContext& ctx);

}  // namespace morvek::cli
