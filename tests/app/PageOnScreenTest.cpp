// What the window draws for the devices' lights and its background: only the page on the screen
// is given frames, a minimised window none, and the skin picker's choice becomes the background.

#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QStackedWidget>
#include <QTemporaryDir>

#include "app/DevicePageUI.h"
#include "app/MainWndFixture.h"
#include "app/SkinFrame.h"
#include "app/WindowBackground.h"
#include "app/controls/CDeviceKeyButtonUI.h"

namespace morvek::test {
namespace {

using emulator::EmulatedKind;

std::vector<uint32_t> LightColours(const app::CDevicePageUI& page) {
    std::vector<uint32_t> colours;
    for (int i = 0; i < page.LightButtonCount(); ++i) {
        if (const app::CDeviceKeyButtonUI* light = page.LightButton(i)) colours.push_back(light->LightColour());
    }
    return colours;
}

// Waits until the page's lights show other colours than before.
bool LightsChange(const app::CDevicePageUI& page) {
    const std::vector<uint32_t> before = LightColours(page);
    return QTest::qWaitFor([&] { return LightColours(page) != before; }, 3000);
}

TEST_F(MainWndTest, OnlyThePageOnTheScreenIsGivenFramesAndAMinimisedWindowNone) {
    Start();
    emulator.Attach(EmulatedKind::Keyboard);
    emulator.Attach(EmulatedKind::MousePad);
    const int keyboardEntry = EntryOfKind(kKindKeyboard);
    const int padEntry = EntryOfKind(kKindMousePad);
    ASSERT_TRUE(WaitVisible(keyboardEntry, true) && WaitVisible(padEntry, true));
    List().Entry(keyboardEntry)->SelectButton()->click();
    CTalvorenUSBDevice* keyboard = List().Entry(keyboardEntry)->Model();
    CTalvorenUSBDevice* pad = List().Entry(padEntry)->Model();
    const app::CDevicePageUI& page = *window->PageOf(keyboard);
    EXPECT_TRUE(keyboard->PictureShown());
    EXPECT_FALSE(pad->PictureShown());
    ASSERT_TRUE(LightsChange(page));  // the demo keyboard's light effect runs

    window->showMinimized();
    EXPECT_FALSE(keyboard->PictureShown());
    const std::vector<uint32_t> minimised = LightColours(page);
    QTest::qWait(300);
    EXPECT_EQ(LightColours(page), minimised);

    window->showNormal();
    EXPECT_TRUE(keyboard->PictureShown());
    EXPECT_TRUE(LightsChange(page));

    // Another page brought forward takes the frames with it.
    List().Entry(padEntry)->SelectButton()->click();
    EXPECT_FALSE(keyboard->PictureShown());
    EXPECT_TRUE(pad->PictureShown());
}

TEST_F(MainWndTest, TheSkinPickersColourAndPictureBecomeTheWindowsBackground) {
    Start();
    const app::CWindowBackground& background = *window->Background();
    EXPECT_EQ(background.Image(), QString(app::CSkinFrame::kDefaultBackground));
    EXPECT_FALSE(background.Colour().isValid());

    window->Notify(Msg("click", "skinbtn"));
    auto* picker = window->findChild<app::CSkinFrame*>();
    ASSERT_NE(picker, nullptr);
    QAbstractButton* colour = picker->findChildren<QAbstractButton*>("skin_color_btn").first();
    colour->click();
    EXPECT_EQ(background.Colour(), QColor(colour->property("bkcolor").toString()));
    EXPECT_TRUE(background.Image().isEmpty());
    // The lower right corner of the window shows nothing but the background.
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 3, shown.height() - 3), background.Colour());

    QAbstractButton* image = picker->findChildren<QAbstractButton*>("skin_image_btn").last();
    image->click();
    EXPECT_EQ(background.Image(), image->property("bkimage").toString());
    EXPECT_FALSE(background.Colour().isValid());
}

// Nothing is painted under the window's root: where a chosen picture is see-through, the root's
// own colour from the style sheet shows, as it did when the window was painted beneath it.
TEST_F(MainWndTest, ASeeThroughPictureShowsTheRootsColourBeneath) {
    qApp->setStyleSheet("QWidget#root { background-color: #204060; }");
    const auto restore = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    Start();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage clear(64, 64, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QString path = folder.filePath("clear.png");
    ASSERT_TRUE(clear.save(path));
    auto* background = window->findChild<app::CWindowBackground*>();
    ASSERT_NE(background, nullptr);
    background->SetImage(path);

    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() - 3, shown.height() - 3), QColor("#204060"));
}

}  // namespace
}  // namespace morvek::test
