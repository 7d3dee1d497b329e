#pragma once
// morvekctl: the command-line front end over the core.

#include <ostream>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"

namespace morvek::cli {

// Runs one command line (without the program name); returns the exit status. While the morvek
// window runs, a command that talks to devices (without --emulate) is carried out by the
// window, which owns the devices (OwningWindow.h).
int RunMorvekctl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The window's side: runs a command line handed over by morvekctl on the window's backend.
// It is never handed on, and it leaves the data folder's interrupted writes alone (the
// window's own writes may be under way).
int RunMorvekctlOn(hid::IHidBackend& backend, const std::vector<std::string>& args, std::ostream& out,
                   std::ostream& err);

// True when the command line's command talks to devices: the device commands, "macro
// download" and "shoot download", "update check". False for the file commands.
bool CommandTalksToDevices(const std::vector<std::string>& words);

}  // namespace morvek::cli
