#pragma once
// The morvek program's command line:
//   --demo[=KINDS]      emulated devices instead of the HID stack (default: keyboard, mouse,
//                       pad and headset); KINDS is a comma-separated list of keyboard, mouse,
//                       wireless-mouse, pad, headset. $MORVEK_EMULATE holds the same list for
//                       scripts; the option wins over it.
//   --emulator-fault=FAULT (or --emulator-fault FAULT), with --demo: every emulated device
//                       shows FAULT (emulator::AddFaultWord: silent, stale[:N], status-ff,
//                       status-fe, vanish[:N], denied); may be given again
//   --screenshot=DIR    once the devices are shown, save a picture of every shown page to
//                       DIR/<kind>.png and quit
//   --minimized         start hidden in the tray (the autostart entry's command)
//   --autostart=on|off (or --autostart on|off): write or remove the autostart entry that
//                       starts the program with the desktop session, then end
//   --help, --version

#include <optional>
#include <string>
#include <vector>

#include "emulator/EmulatedKind.h"

namespace morvek::app {

struct CommandLine {
    bool help = false;
    bool version = false;
    // Empty: the real HID stack.
    std::vector<emulator::EmulatedKind> demo;
    // Faults of every emulated device, as given.
    std::vector<std::string> faults;
    std::string screenshotFolder;
    bool minimized = false;
    // Set: write (true) or remove (false) the autostart entry and end.
    std::optional<bool> autostart;
};

// The parsed command line, or an error text. emulateVariable is $MORVEK_EMULATE (may be null).
struct ParsedCommandLine {
    std::optional<CommandLine> line;
    std::string error;
};
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const char* emulateVariable);

// The text --help prints.
std::string UsageText();

}  // namespace morvek::app
