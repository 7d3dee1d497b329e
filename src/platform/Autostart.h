#pragma once
// Starting the program with the desktop session: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/<desktop id>.desktop (default ~/.config/autostart), whose command
// starts the program hidden in the tray ("--minimized"), so that it takes the lights and
// profiles over at log-in.

#include <filesystem>
#include <string>

namespace morvek {

// The program's desktop id: the name of its desktop entry and of its autostart entry.
inline constexpr const char* kDesktopId = "org.morvek.Morvek";

// The running program's executable.
std::filesystem::path RunningExecutable();

// The folder the desktop reads autostart entries from.
std::filesystem::path AutostartFolder();
// The program's autostart entry in it.
std::filesystem::path AutostartEntryPath();

// One argument of a desktop entry's Exec key, quoted when it holds anything but plain
// characters, and escaped as the key's value.
std::string DesktopExecArgument(const std::string& argument);
// The autostart entry's text for the program at executable.
std::string AutostartEntryText(const std::filesystem::path& executable);

// True when the program's entry is there and not switched off ("Hidden=true" or
// "X-GNOME-Autostart-enabled=false", which desktops write when the user turns it off).
bool AutostartEnabled();

// Writes the entry for the program at executable (on), or removes it (off). False, with the
// reason in error, when the folder or the file cannot be written or removed.
bool SetAutostart(bool on, const std::filesystem::path& executable, std::string& error);

}  // namespace morvek
