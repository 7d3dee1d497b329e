#pragma once
// morvekctl update check [--json] [--endpoint URL]: asks the update service about every product
// the window's update list would show (each attached device's firmware and this program), one
// line or JSON object each. update download N [--endpoint URL]: downloads row N of the check,
// verified, into the cache folder's "UpdateData", with a progress bar on a terminal.

#include <cstdint>
#include <string>

#include "cli/CommandContext.h"

namespace morvek::cli {

int RunUpdate(CommandContext& ctx);

// The progress bar line: "[#####-----]  50%  1.0/2.0 MiB", width characters of bar.
std::string ProgressBarLine(uint64_t expected, uint64_t done, int width);

}  // namespace morvek::cli
