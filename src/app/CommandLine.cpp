#include "app/CommandLine.h"

#include <sstream>

#include "emulator/FaultPlan.h"

namespace morvek::app {

namespace {

constexpr const char* kDefaultDemo = "keyboard,mouse,pad,headset";

// The kinds of a comma-separated list; false with the offending word in error.
bool ParseKinds(const std::string& list, std::vector<emulator::EmulatedKind>& kinds, std::string& error) {
    kinds.clear();
    std::stringstream words(list);
    std::string word;
    while (std::getline(words, word, ',')) {
        if (word.empty()) continue;
        const auto kind = emulator::ParseEmulatedKind(word);
        if (!kind) {
            error = "unknown device kind '" + word + "' (keyboard, mouse, wireless-mouse, pad, headset)";
            return false;
        }
        bool seen = false;
        for (auto k : kinds) seen = seen || k == *kind;
        if (!seen) kinds.push_back(*kind);
    }
    if (kinds.empty()) {
        error = "no device kind given";
        return false;
    }
    return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const char* emulateVariable) {
    ParsedCommandLine parsed;
    CommandLine line;
    if (emulateVariable != nullptr && *emulateVariable != '\0' &&
        !ParseKinds(emulateVariable, line.demo, parsed.error)) {
        parsed.error = "MORVEK_EMULATE: " + parsed.error;
        return parsed;
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--emulator-fault" || argument.starts_with("--emulator-fault=")) {
            std::string fault;
            if (argument.size() > 16) {
                fault = argument.substr(17);
            } else if (i + 1 < arguments.size()) {
                fault = arguments[++i];
            }
            emulator::FaultPlan checked;
            if (!emulator::AddFaultWord(fault, checked, parsed.error)) return parsed;
            line.faults.push_back(fault);
        } else if (argument == "--autostart" || argument.starts_with("--autostart=")) {
            std::string value;
            if (argument.size() > 11) {
                value = argument.substr(12);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            }
            if (value != "on" && value != "off") {
                parsed.error = "--autostart takes on or off, not '" + value + "'";
                return parsed;
            }
            line.autostart = value == "on";
        } else if (argument == "--minimized") {
            line.minimized = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (argument == "--demo") {
            ParseKinds(kDefaultDemo, line.demo, parsed.error);
        } else if (argument.starts_with("--demo=")) {
            if (!ParseKinds(argument.substr(7), line.demo, parsed.error)) return parsed;
        } else if (argument.starts_with("--screenshot=") && argument.size() > 13) {
            line.screenshotFolder = argument.substr(13);
        } else {
            parsed.error = "unknown option '" + argument + "' (see --help)";
            return parsed;
        }
    }
    if (!line.faults.empty() && line.demo.empty()) {
        parsed.error = "--emulator-fault goes with --demo";
        return parsed;
    }
    parsed.line = line;
    return parsed;
}

std::string UsageText() {
    return "Usage: morvek [--demo[=KINDS] [--emulator-fault=FAULT]...] [--screenshot=DIR] [--minimized]\n"
           "       morvek --autostart on|off\n"
           "The configuration tool of the Morvek keyboard, mouse, mouse pad and headset.\n"
           "\n"
           "  --demo[=KINDS]     use emulated devices instead of the attached ones; KINDS is a\n"
           "                     comma-separated list of keyboard, mouse, wireless-mouse, pad,\n"
           "                     headset (default: keyboard,mouse,pad,headset). MORVEK_EMULATE\n"
           "                     holds the same list for scripts.\n"
           "  --emulator-fault=FAULT  with --demo: every emulated device shows FAULT: silent,\n"
           "                     stale[:N], status-ff, status-fe, vanish[:N], denied (may be given again)\n"
           "  --screenshot=DIR   save a picture of every shown device page to DIR and quit\n"
           "  --minimized        start hidden in the tray\n"
           "  --autostart on|off start the program hidden in the tray with the desktop session,\n"
           "                     or no longer (writes or removes its XDG autostart entry)\n"
           "  --help             show this text\n"
           "  --version          show the program's version\n";
}

}  // namespace morvek::app
