// The message window's buttons and results, its DPI rule, the About window's version label and
// the skin picker's "main.ini".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>

#include <string>
#include <vector>

#include "app/AboutWnd.h"
#include "app/MsgWnd.h"
#include "app/QtPrinters.h"
#include "app/SkinFixture.h"
#include "app/SkinFrame.h"
#include "platform/Trace.h"
#include "support/TempFolder.h"

namespace morvek::app {
namespace {

class SmallWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::UseShippedSkin();
        CResourceManager::GetInstance().LoadLanguage("lan_en.xml");
    }
    void TearDown() override { CResourceManager::GetInstance().Release(); }

    static QAbstractButton* Button(QWidget& window, const char* name) {
        return window.findChild<QAbstractButton*>(name);
    }
};

struct ButtonCase {
    int mode;
    const char* pressed;
    int result;
    bool cancelShown;
};

TEST_F(SmallWindowsTest, MessageWindowButtonsAndResults) {
    const ButtonCase cases[] = {
        {0, "confirm_btn", 1, false},
        {0, "closebtn", 0, false},
        {1, "confirm_btn", 1, true},
        {1, "cancel_btn", 0, true},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + c.pressed);
        CMsgWnd window;
        ASSERT_TRUE(window.IsBuilt());
        window.SetButtonMode(c.mode);
        window.show();
        EXPECT_TRUE(Button(window, "confirm_btn")->isVisible());
        EXPECT_EQ(Button(window, "cancel_btn")->isVisible(), c.cancelShown);
        Button(window, c.pressed)->click();
        EXPECT_EQ(window.result(), c.result);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST_F(SmallWindowsTest, MessageTextIsTranslatedOnlyWhenItIsAKey) {
    CMsgWnd window;
    auto* text = window.findChild<QLabel*>("MessageText");
    window.SetText("message_text_22", true);
    EXPECT_EQ(text->text(), "Restore the default settings?");
    window.SetText("message_text_22", false);
    EXPECT_EQ(text->text(), "message_text_22");
    const QString title = window.findChild<QLabel*>("MessageTitle")->text();
    window.SetTitle("");
    EXPECT_EQ(window.findChild<QLabel*>("MessageTitle")->text(), title);
}

TEST_F(SmallWindowsTest, DpiOutsideTheListTracesAndFallsBackTo96) {
    std::vector<std::string> traces;
    SetTraceEnabled(true);
    SetTraceSink([&](const std::string& line) { traces.push_back(line); });
    CMsgWnd window;
    window.SetDpi(144);
    EXPECT_EQ(window.Dpi(), 144);
    window.SetDpi(100);
    EXPECT_EQ(window.Dpi(), 96);
    SetTraceSink({});
    SetTraceEnabled(false);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0], "MSG_WND DPI SET ERROR");
}

TEST_F(SmallWindowsTest, AboutShowsTheVersionAfterItsLabel) {
    CAboutWnd about;
    ASSERT_TRUE(about.IsBuilt());
    about.SetVersionText(CAboutWnd::ApplicationVersionText());
    EXPECT_EQ(about.findChild<QLabel*>("software_ver_label")->text(), "Software version 1.0.0.1");
    about.show();
    Button(about, "closebtn")->click();
    EXPECT_FALSE(about.isVisible());
}

TEST_F(SmallWindowsTest, SkinPickerWritesPicturesAndResetButNotColours) {
    test::TempFolder folder;
    const QString ini = QString::fromStdString((folder / "main.ini").string());
    QWidget owner;
    CSkinFrame picker(&owner, nullptr, ini);
    ASSERT_TRUE(picker.IsBuilt());
    QSignalSpy changed(&picker, &CSkinFrame::SkinChanged);
    const auto read = [&](const char* key) { return QSettings(ini, QSettings::IniFormat).value(key).toString(); };

    picker.findChildren<QAbstractButton*>("skin_color_btn").first()->click();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_TRUE(changed[0][0].value<SkinChangedParam>().solidColour);
    EXPECT_FALSE(QFile::exists(ini));

    QAbstractButton* image = picker.findChildren<QAbstractButton*>("skin_image_btn").last();
    image->click();
    EXPECT_EQ(read("SKINIMAGE/FLAGS"), "1");
    EXPECT_EQ(read("SKINIMAGE/IMAGE"), image->property("bkimage").toString());

    Button(picker, "skin_reset")->click();
    EXPECT_EQ(read("SKINIMAGE/FLAGS"), "0");
    EXPECT_EQ(read("SKINIMAGE/IMAGE"), "common/background.png");
    EXPECT_EQ(changed.size(), 3);
}

}  // namespace
}  // namespace morvek::app
