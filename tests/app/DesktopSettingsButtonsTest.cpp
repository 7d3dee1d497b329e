// "windowdeviceset_" 0 and 1: the desktop's own mouse and keyboard settings, found on the
// search path and started without the window waiting; hidden when the desktop has none.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include <sys/stat.h>

#include <fstream>

#include "app/DesktopSettingsLauncher.h"
#include "app/MainWndFixture.h"

namespace morvek::app {
namespace {

class DesktopSettingsButtonsTest : public test::MainWndTest {
protected:
    void SetUp() override {
        path_ = qgetenv("PATH");
        desktop_ = qgetenv("XDG_CURRENT_DESKTOP");
        MainWndTest::SetUp();
    }
    void TearDown() override {
        MainWndTest::TearDown();
        qputenv("PATH", path_);
        qputenv("XDG_CURRENT_DESKTOP", desktop_);
    }
    // A settings program that writes its arguments into a file of the bin folder.
    void InstallProgram(const std::string& name) {
        const std::filesystem::path program = bin / name;
        std::ofstream(program) << "#!/bin/sh\necho \"started $*\" > '" << (bin / (name + ".ran")).string() << "'\n";
        ::chmod(program.c_str(), 0755);
    }
    // Starts the window with only the bin folder on the search path and waits for the look-up.
    void StartOn(const char* desktop) {
        qputenv("PATH", QByteArray::fromStdString(bin.Path().string()));
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        Start();
        QSignalSpy found(&window->DesktopSettings(), &DesktopSettingsLauncher::Found);
        ASSERT_TRUE(found.wait(3000));
    }
    QWidget* Button(uint16_t kind, const char* name) { return On<QWidget>(kind, name); }

    test::TempFolder bin;

private:
    QByteArray path_;
    QByteArray desktop_;
};

TEST_F(DesktopSettingsButtonsTest, TheButtonOfAPageWithAProgramOpensIt) {
    InstallProgram("xfce4-mouse-settings");
    StartOn("XFCE");
    auto* mouseButton = qobject_cast<QAbstractButton*>(Button(kKindMouse, "windowdeviceset_0"));
    ASSERT_NE(mouseButton, nullptr);
    EXPECT_FALSE(mouseButton->isHidden());
    // Xfce's keyboard settings are a program of their own, not installed here.
    EXPECT_TRUE(Button(kKindKeyboard, "windowdeviceset_1")->isHidden());
    EXPECT_FALSE(mouseButton->accessibleName().isEmpty());

    mouseButton->click();
    const std::filesystem::path ran = bin / "xfce4-mouse-settings.ran";
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(ran) && std::filesystem::file_size(ran) > 0; },
                                5000));
    EXPECT_TRUE(asked.empty());
}

TEST_F(DesktopSettingsButtonsTest, AnotherDesktopsProgramServesWhenTheCurrentOneHasNone) {
    InstallProgram("gnome-control-center");
    StartOn("i3");
    EXPECT_FALSE(Button(kKindMouse, "windowdeviceset_0")->isHidden());
    auto* keyboardButton = qobject_cast<QAbstractButton*>(Button(kKindKeyboard, "windowdeviceset_1"));
    ASSERT_FALSE(keyboardButton->isHidden());
    keyboardButton->click();
    const std::filesystem::path ran = bin / "gnome-control-center.ran";
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(ran) && std::filesystem::file_size(ran) > 0; },
                                5000));
    std::ifstream in(ran);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "started keyboard");
}

TEST_F(DesktopSettingsButtonsTest, WithoutAnySettingsProgramBothButtonsStayHidden) {
    StartOn("GNOME");
    EXPECT_TRUE(Button(kKindMouse, "windowdeviceset_0")->isHidden());
    EXPECT_TRUE(Button(kKindKeyboard, "windowdeviceset_1")->isHidden());
}

}  // namespace
}  // namespace morvek::app
