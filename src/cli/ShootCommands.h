#pragma once
// morvekctl shoot commands: the mouse's four shoot patterns in its data folder, and their
// download into the mouse.

#include "cli/CommandContext.h"

namespace morvek::cli {

// shoot show GUN BULLET, shoot set GUN BULLET X Y DELAY [--left|--right] [--up|--down],
// shoot reset GUN, shoot import GUN FILE, shoot export GUN FILE, shoot download.
int RunShoot(CommandContext& ctx);

}  // namespace morvek::cli
