// Which program opens the desktop's mouse and keyboard settings, and the search path lookup
// that tells whether it is installed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <set>

#include "platform/DesktopSettings.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

struct FindCase {
    const char* desktop;
    std::set<std::string> installed;
    DesktopSettingsPage page;
    std::optional<DesktopSettingsCommand> expected;
};

TEST(DesktopSettingsTest, TheCurrentDesktopsProgramComesFirstThenAnyInstalledOne) {
    using Page = DesktopSettingsPage;
    using Command = DesktopSettingsCommand;
    const FindCase cases[] = {
        {"GNOME", {"gnome-control-center"}, Page::Mouse, Command{"gnome-control-center", "mouse"}},
        {"ubuntu:GNOME", {"gnome-control-center"}, Page::Keyboard, Command{"gnome-control-center", "keyboard"}},
        {"KDE", {"systemsettings"}, Page::Mouse, Command{"systemsettings", "kcm_mouse"}},
        {"kde", {"kcmshell5"}, Page::Keyboard, Command{"kcmshell5", "kcm_keyboard"}},
        // Xfce and MATE have one program per page.
        {"XFCE", {"xfce4-mouse-settings", "xfce4-keyboard-settings"}, Page::Mouse, Command{"xfce4-mouse-settings"}},
        {"XFCE", {"xfce4-mouse-settings", "xfce4-keyboard-settings"}, Page::Keyboard,
         Command{"xfce4-keyboard-settings"}},
        {"MATE", {"mate-keyboard-properties"}, Page::Keyboard, Command{"mate-keyboard-properties"}},
        {"X-Cinnamon", {"cinnamon-settings"}, Page::Mouse, Command{"cinnamon-settings", "mouse"}},
        // Both installed: the running desktop's own wins over the table's order.
        {"XFCE", {"gnome-control-center", "xfce4-mouse-settings"}, Page::Mouse, Command{"xfce4-mouse-settings"}},
        {"KDE:GNOME", {"gnome-control-center", "systemsettings"}, Page::Mouse, Command{"systemsettings", "kcm_mouse"}},
        // A desktop without settings of its own, or none named, takes what is installed.
        {"i3", {"xfce4-keyboard-settings"}, Page::Keyboard, Command{"xfce4-keyboard-settings"}},
        {"", {"lxinput"}, Page::Mouse, Command{"lxinput"}},
        // The desktop's program missing: another one that is installed.
        {"GNOME", {"lxqt-config-input"}, Page::Keyboard, Command{"lxqt-config-input"}},
        // Only the mouse program of a pair is there: the keyboard page has none.
        {"XFCE", {"xfce4-mouse-settings"}, Page::Keyboard, std::nullopt},
        {"GNOME", {}, Page::Mouse, std::nullopt},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(std::string(c.desktop) + (c.page == Page::Mouse ? " mouse" : " keyboard"));
        const auto found = FindDesktopSettings(c.page, c.desktop, [&](const std::string& program) {
            return c.installed.count(program) != 0;
        });
        EXPECT_EQ(found, c.expected);
    }
}

TEST(DesktopSettingsTest, OnlyExecutableFilesOnTheSearchPathCount) {
    test::TempFolder first;
    test::TempFolder second;
    const auto make = [](const std::filesystem::path& path, mode_t mode) {
        std::ofstream(path) << "#!/bin/sh\n";
        ::chmod(path.c_str(), mode);
    };
    make(first / "plain-file", 0644);
    make(second / "plain-file", 0755);
    make(second / "settings-tool", 0755);
    std::filesystem::create_directory(first / "folder-tool");
    const std::string path = first.Path().string() + "::" + second.Path().string();

    EXPECT_EQ(FindProgramOnPath("settings-tool", path), second / "settings-tool");
    // The first folder's file cannot be run: the second folder's is taken.
    EXPECT_EQ(FindProgramOnPath("plain-file", path), second / "plain-file");
    EXPECT_EQ(FindProgramOnPath("folder-tool", path), std::nullopt);
    EXPECT_EQ(FindProgramOnPath("missing", path), std::nullopt);
    EXPECT_EQ(FindProgramOnPath("settings-tool", ""), std::nullopt);
    // A name with a path is not a program name.
    EXPECT_EQ(FindProgramOnPath((second / "settings-tool").string(), path), std::nullopt);
    EXPECT_EQ(FindProgramOnPath("", path), std::nullopt);
}

}  // namespace
}  // namespace morvek
