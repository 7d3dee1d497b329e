#include "platform/DesktopSettings.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace morvek {
namespace {

// One settings program: the desktops it belongs to and its arguments for each page.
struct SettingsProgram {
    std::array<std::string_view, 2> desktops;  // $XDG_CURRENT_DESKTOP names; empty: none
    std::string_view program;
    std::string_view mouseArgument;  // empty: the program opens without an argument
    std::string_view keyboardArgument;
};

constexpr std::array<SettingsProgram, 12> kPrograms = {{
    {{"GNOME", ""}, "gnome-control-center", "mouse", "keyboard"},
    {{"KDE", ""}, "systemsettings", "kcm_mouse", "kcm_keyboard"},
    {{"KDE", ""}, "systemsettings5", "kcm_mouse", "kcm_keyboard"},
    {{"KDE", ""}, "kcmshell6", "kcm_mouse", "kcm_keyboard"},
    {{"KDE", ""}, "kcmshell5", "kcm_mouse", "kcm_keyboard"},
    {{"XFCE", ""}, "xfce4-mouse-settings", "", ""},
    {{"MATE", ""}, "mate-mouse-properties", "", ""},
    {{"X-Cinnamon", "Cinnamon"}, "cinnamon-settings", "mouse", "keyboard"},
    {{"Budgie", ""}, "budgie-control-center", "mouse", "keyboard"},
    {{"Unity", ""}, "unity-control-center", "mouse", "keyboard"},
    {{"LXQt", ""}, "lxqt-config-input", "", ""},
    {{"LXDE", ""}, "lxinput", "", ""},
}};

// Xfce and MATE have a program per page.
std::string_view ProgramFor(const SettingsProgram& row, DesktopSettingsPage page) {
    if (page == DesktopSettingsPage::Keyboard) {
        if (row.program == "xfce4-mouse-settings") return "xfce4-keyboard-settings";
        if (row.program == "mate-mouse-properties") return "mate-keyboard-properties";
    }
    return row.program;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const size_t end = text.find(separator);
        const std::string_view part = text.substr(0, end);
        if (!part.empty()) parts.push_back(part);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return parts;
}

bool BelongsTo(const SettingsProgram& row, std::string_view desktop) {
    return std::any_of(row.desktops.begin(), row.desktops.end(), [&](std::string_view name) {
        return !name.empty() && EqualIgnoringCase(name, desktop);
    });
}

DesktopSettingsCommand CommandOf(const SettingsProgram& row, DesktopSettingsPage page) {
    DesktopSettingsCommand command{std::string(ProgramFor(row, page))};
    const std::string_view argument = page == DesktopSettingsPage::Mouse ? row.mouseArgument : row.keyboardArgument;
    if (!argument.empty()) command.emplace_back(argument);
    return command;
}

}  // namespace

std::optional<DesktopSettingsCommand> FindDesktopSettings(DesktopSettingsPage page, std::string_view currentDesktop,
                                                          const ProgramInstalled& installed) {
    std::vector<const SettingsProgram*> order;
    for (std::string_view desktop : Split(currentDesktop, ':')) {
        for (const SettingsProgram& row : kPrograms) {
            if (BelongsTo(row, desktop) && std::find(order.begin(), order.end(), &row) == order.end())
                order.push_back(&row);
        }
    }
    for (const SettingsProgram& row : kPrograms) {
        if (std::find(order.begin(), order.end(), &row) == order.end()) order.push_back(&row);
    }
    for (const SettingsProgram* row : order) {
        if (installed(std::string(ProgramFor(*row, page)))) return CommandOf(*row, page);
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> FindProgramOnPath(const std::string& program, std::string_view searchPath) {
    if (program.empty() || program.find('/') != std::string::npos) return std::nullopt;
    for (std::string_view folder : Split(searchPath, ':')) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / program;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

}  // namespace morvek
