#pragma once
// morvekctl sync KIND: gives every attached device the light of KIND's current effect (same
// light for all), each device storing, saving and writing it as its own panel would.

#include "cli/CommandContext.h"

namespace morvek::cli {

int RunSync(CommandContext& ctx);

}  // namespace morvek::cli
