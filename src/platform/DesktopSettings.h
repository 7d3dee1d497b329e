#pragma once
// The desktop's own mouse and keyboard settings: which program opens them. Desktops bring their
// settings program (for example gnome-control-center on GNOME, systemsettings on Plasma,
// xfce4-mouse-settings on Xfce); the desktop named by $XDG_CURRENT_DESKTOP is asked first, then
// any other desktop's program that is installed, so a window manager without settings of its
// own still opens one that is there.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvek {

enum class DesktopSettingsPage { Mouse = 0, Keyboard = 1 };

// The command line that opens a settings page: the program (a name found on the search path)
// and its arguments.
using DesktopSettingsCommand = std::vector<std::string>;

// Whether a program name is installed (found on the search path as an executable file).
using ProgramInstalled = std::function<bool(const std::string& program)>;

// The command that opens page; nothing when no known settings program is installed.
// currentDesktop is $XDG_CURRENT_DESKTOP: a colon-separated list of names, compared ignoring case.
std::optional<DesktopSettingsCommand> FindDesktopSettings(DesktopSettingsPage page, std::string_view currentDesktop,
                                                          const ProgramInstalled& installed);

// The executable file named program in the folders of searchPath (a colon-separated $PATH);
// nothing when none of them holds one. A name with a slash is not looked up.
std::optional<std::filesystem::path> FindProgramOnPath(const std::string& program, std::string_view searchPath);

}  // namespace morvek
