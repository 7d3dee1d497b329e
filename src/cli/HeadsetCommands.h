#pragma once
// morvekctl headset ...: the headset's voice and voice-changer panels on the command line.

#include "cli/CommandContext.h"

namespace morvek::cli {

// headset eq PRESET | band BAND VALUE | eq-save NAME [B1 .. B10] | eq-delete |
// mic on|off|LEVEL | monitor on|off|LEVEL | voice on|off|TYPE
int RunHeadset(CommandContext& ctx);

}  // namespace morvek::cli
