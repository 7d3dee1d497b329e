// The autostart entry: written where the desktop looks for it, starting the program hidden in
// the tray, with its path quoted as desktop entries need; removed again; switched off by the
// desktop's own keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/Autostart.h"
#include "platform/FileIo.h"
#include "TempDir.h"

namespace morvek {
namespace {

class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        if (old != nullptr) saved_ = old;
        setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    }
    void TearDown() override {
        if (saved_) setenv("XDG_CONFIG_HOME", saved_->c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
    }
    std::string Entry() { return ReadWholeFile(AutostartEntryPath(), 1 << 16).value_or(""); }

    hid::testing::TempDir dir;
    std::optional<std::string> saved_;
};

TEST_F(AutostartTest, OnWritesTheEntryAndOffRemovesIt) {
    EXPECT_EQ(AutostartEntryPath(), dir.Path() / "autostart" / "org.morvek.Morvek.desktop");
    EXPECT_FALSE(AutostartEnabled());
    std::string error;
    ASSERT_TRUE(SetAutostart(true, "/opt/morvek/bin/morvek", error)) << error;
    EXPECT_TRUE(AutostartEnabled());
    const std::string text = Entry();
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\n")) << text;
    EXPECT_NE(text.find("\nExec=/opt/morvek/bin/morvek --minimized\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos) << text;
    // Again: the same entry, not a second one.
    ASSERT_TRUE(SetAutostart(true, "/opt/morvek/bin/morvek", error)) << error;
    EXPECT_EQ(Entry(), text);

    ASSERT_TRUE(SetAutostart(false, {}, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(AutostartEntryPath()));
    EXPECT_FALSE(AutostartEnabled());
    // Off when already off is no failure.
    EXPECT_TRUE(SetAutostart(false, {}, error)) << error;
}

TEST_F(AutostartTest, ExecArgumentsAreQuotedAndEscaped) {
    struct Case {
        const char* argument;
        const char* exec;
    } cases[] = {
        {"/usr/bin/morvek", "/usr/bin/morvek"},
        {"/home/a b/morvek", "\"/home/a b/morvek\""},
        {"/x/$HOME/m", "\"/x/\\\\$HOME/m\""},
        {"/x/\"q\"/m", "\"/x/\\\\\"q\\\\\"/m\""},
        {"/x/100%/m", "\"/x/100%%/m\""},
        {"/x/back\\slash", "\"/x/back\\\\\\\\slash\""},
        {"/x/`cmd`", "\"/x/\\\\`cmd\\\\`\""},
    };
    for (const Case& c : cases) EXPECT_EQ(DesktopExecArgument(c.argument), c.exec) << c.argument;
}

TEST_F(AutostartTest, AnEntryTheDesktopSwitchedOffIsOff) {
    struct Case {
        const char* line;
        bool enabled;
    } cases[] = {
        {"Hidden=true", false},
        {"Hidden=false", true},
        {"X-GNOME-Autostart-enabled=false", false},
        {"X-GNOME-Autostart-enabled = true", true},
    };
    for (const Case& c : cases) {
        std::filesystem::create_directories(AutostartFolder());
        std::ofstream(AutostartEntryPath()) << "[Desktop Entry]\nType=Application\nExec=morvek\n" << c.line << "\n";
        EXPECT_EQ(AutostartEnabled(), c.enabled) << c.line;
    }
}

TEST_F(AutostartTest, AFolderThatCannotBeMadeIsReported) {
    // A file where the autostart folder belongs.
    std::ofstream(dir.Path() / "autostart") << "x";
    std::string error;
    EXPECT_FALSE(SetAutostart(true, "/usr/bin/morvek", error));
    EXPECT_NE(error.find("autostart"), std::string::npos) << error;
    EXPECT_FALSE(AutostartEnabled());
}

}  // namespace
}  // namespace morvek
