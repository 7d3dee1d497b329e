#pragma once
// The global options of morvekctl and the words that follow them.

#include <optional>
#include <string>
#include <vector>

namespace morvek::cli {

struct GlobalOptions {
    std::string dataDir;
    std::string defaultDataDir;
    std::vector<std::string> emulate;   // kinds of emulated devices; empty: the real HID stack
    std::string emulatorState;
    int emulatorLatencyMs = 0;
    bool emulatorLinkDown = false;      // the wireless mouse's receiver reports no mouse
    std::vector<std::string> emulatorFaults;  // faults every emulated device shows (emulator::AddFaultWord)
    bool trace = false;
    bool json = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> words;     // the command and its arguments
};

// Parses argv after the program name. On a wrong command line returns nothing and sets error.
std::optional<GlobalOptions> ParseGlobalOptions(const std::vector<std::string>& args, std::string& error);

// Parses a decimal or 0x-hexadecimal number; nothing for other text or values outside [min, max].
std::optional<long> ParseNumber(const std::string& text, long min, long max);
// Parses a decimal number only (a value typed as the page's edit boxes read it).
std::optional<long> ParseDecimal(const std::string& text, long min, long max);

}  // namespace morvek::cli
