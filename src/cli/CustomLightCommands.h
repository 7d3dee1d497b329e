#pragma once
// morvekctl custom-light keyboard: the keyboard's custom key colours (light mode 38) as the
// light panel edits them: choose a colour set, light or darken every key, paint keys.

#include "cli/CommandContext.h"

namespace morvek::cli {

// custom-light keyboard [--group N] [--colour RRGGBB] [--fill on|off] [--paint KEY[,KEY...]]
int RunCustomLight(CommandContext& ctx);

}  // namespace morvek::cli
