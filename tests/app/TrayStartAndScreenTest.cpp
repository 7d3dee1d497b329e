// The window at log-in and on the desktop: started hidden in the tray it still takes the
// devices over; the tray menu's autostart item writes and removes the autostart entry; a change
// of screen or scale puts the window back on its screen.
#include <gtest/gtest.h>

#include <QScreen>
#include <QWindow>

#include "app/MainWndFixture.h"
#include "platform/Autostart.h"
#include "platform/FileIo.h"

namespace morvek::app {
namespace {

using test::MainWndTest;

// The window's top left corner (with its caption) is on the screen, and the window lies
// within the screen in each direction it fits in.
bool OnScreen(const QRect& frame, const QRect& available) {
    const bool across = frame.width() > available.width() ? frame.left() == available.left()
                                                          : frame.left() >= available.left() && frame.right() <= available.right();
    const bool down = frame.height() > available.height() ? frame.top() == available.top()
                                                          : frame.top() >= available.top() && frame.bottom() <= available.bottom();
    return across && down;
}

TEST_F(MainWndTest, StartedInTheTrayTheWindowStaysHiddenAndTakesTheDevicesOver) {
    window->StartInTray();
    ASSERT_TRUE(window->IsInitialised());
    EXPECT_FALSE(window->isVisible() && !window->isMinimized());
    emulator.Attach(emulator::EmulatedKind::Keyboard);
    EXPECT_TRUE(WaitVisible(EntryOfKind(kKindKeyboard), true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ModelOfKind(kKindKeyboard)->IsCommandChannelOpen(); }, 3000));
    window->RestoreAndRaise();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWndTest, TheTrayMenusAutostartItemWritesAndRemovesTheEntry) {
    test::TempFolder config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path().string()));
    ASSERT_FALSE(AutostartEnabled());

    window->OnMenuItem("autostart_menu");
    EXPECT_TRUE(AutostartEnabled());
    const std::string entry = ReadWholeFile(AutostartEntryPath(), 1 << 16).value_or("");
    EXPECT_NE(entry.find("Exec=" + DesktopExecArgument(RunningExecutable().string()) + " --minimized\n"), std::string::npos)
        << entry;
    window->OnMenuItem("autostart_menu");
    EXPECT_FALSE(AutostartEnabled());
    EXPECT_TRUE(asked.empty());

    // A file where the autostart folder belongs: the user is told.
    std::filesystem::remove_all(config.Path() / "autostart");
    ASSERT_TRUE(WriteFileAtomically(config.Path() / "autostart", "x"));
    window->OnMenuItem("autostart_menu");
    EXPECT_FALSE(AutostartEnabled());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "autostart_failed_text");
    qputenv("XDG_CONFIG_HOME", saved);
}

TEST_F(MainWndTest, AChangeOfScreenOrScalePutsTheWindowBackOnItsScreen) {
    Start();
    QScreen* screen = window->screen();
    ASSERT_NE(screen, nullptr);
    ASSERT_NE(window->windowHandle(), nullptr);
    const QRect available = screen->availableGeometry();
    struct Case {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"moved to another screen", [&] { emit window->windowHandle()->screenChanged(screen); }},
        {"scale changed", [&] { emit screen->logicalDotsPerInchChanged(screen->logicalDotsPerInch()); }},
        {"screen size changed", [&] { emit screen->availableGeometryChanged(available); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->move(available.right() + 500, available.bottom() + 500);  // off the screen
        ASSERT_FALSE(available.contains(window->frameGeometry()));
        window->SetDpi(144);
        c.change();
        EXPECT_TRUE(OnScreen(window->frameGeometry(), available))
            << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
            << window->frameGeometry().width() << "x" << window->frameGeometry().height() << " on " << available.x() << ","
            << available.y() << " " << available.width() << "x" << available.height();
        EXPECT_EQ(window->Dpi(), qRound(screen->logicalDotsPerInch()));
        EXPECT_EQ(window->ScreenSize(), screen->geometry().size());
    }
}

}  // namespace
}  // namespace morvek::app
