#pragma once
// morvekctl profile commands: the profile list of a device kind in the per-user data folder.

#include "cli/CommandContext.h"

namespace morvek::cli {

// profile list|add|delete|copy|reset --kind KIND, profile rename NAME --kind KIND,
// profile select INDEX --kind KIND, profile import FILE|export FILE --kind KIND.
int RunProfile(CommandContext& ctx);

}  // namespace morvek::cli
