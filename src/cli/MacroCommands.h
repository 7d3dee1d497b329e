#pragma once
// morvekctl macro commands: the macro list and files of the keyboard or the mouse, and the
// macro download into the device.

#include <string>

#include "cli/CommandContext.h"

namespace morvek::cli {

// macro list|add|delete|show|download --kind KIND, macro rename NAME --kind KIND,
// macro import FILE|export FILE --kind KIND, macro select INDEX --kind KIND; macro event ...
// (MacroEventCommands).
int RunMacro(CommandContext& ctx);

// What the window says for a macro download result other than 0: "message_text_7" for -1,
// "message_text_16" with the count of events too many for n > 0.
std::string MacroDownloadMessage(int result);

}  // namespace morvek::cli
