// The device list through the emulator: entries shown and selected on arrival, the selection
// kept or moved, "No_device_Link", pages and models reused, and the entry timers running.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QProgressBar>
#include <QLabel>

#include "app/DevicePageUI.h"
#include "app/MainWndFixture.h"
#include "app/MpDevicePowerUI.h"
#include "app/QtPrinters.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;
using test::MainWndTest;

TEST_F(MainWndTest, StartWithoutDevicesShowsNoDeviceLinkAndOnePageAndModelPerKind) {
    Start();
    EXPECT_EQ(List().Count(), 4);
    EXPECT_EQ(window->Models().Count(), 4u);
    EXPECT_EQ(List().VisibleCount(), 0);
    EXPECT_TRUE(Control("No_device_Link")->isVisibleTo(window.get()));
    EXPECT_EQ(window->CurrentDevice(), nullptr);
}

TEST_F(MainWndTest, FirstArrivalIsSelectedAndASecondKindKeepsTheSelection) {
    Start();
    const int keyboard = EntryOfKind(kKindKeyboard);
    const int mouse = EntryOfKind(kKindMouse);
    emulator.Attach(EmulatedKind::Keyboard);
    ASSERT_TRUE(WaitVisible(keyboard, true));
    EXPECT_EQ(List().SelectedIndex(), keyboard);
    EXPECT_FALSE(Control("No_device_Link")->isVisibleTo(window.get()));
    EXPECT_EQ(window->CurrentDevice(), List().Entry(keyboard)->Model());

    emulator.Attach(EmulatedKind::Mouse);
    ASSERT_TRUE(WaitVisible(mouse, true));
    EXPECT_EQ(List().SelectedIndex(), keyboard);
}

TEST_F(MainWndTest, UnplugSelectedSelectsAnotherAndUnplugLastShowsNoDeviceLink) {
    Start();
    const int keyboard = EntryOfKind(kKindKeyboard);
    const int headset = EntryOfKind(kKindHeadset);
    emulator.Attach(EmulatedKind::Keyboard);
    ASSERT_TRUE(WaitVisible(keyboard, true));
    emulator.Attach(EmulatedKind::Headset);
    ASSERT_TRUE(WaitVisible(headset, true));

    emulator.Detach(EmulatedKind::Keyboard);
    ASSERT_TRUE(WaitVisible(keyboard, false));
    EXPECT_EQ(List().SelectedIndex(), headset);

    emulator.Detach(EmulatedKind::Headset);
    ASSERT_TRUE(WaitVisible(headset, false));
    EXPECT_EQ(List().SelectedIndex(), -1);
    EXPECT_TRUE(Control("No_device_Link")->isVisibleTo(window.get()));
}

TEST_F(MainWndTest, ReplugReusesPageAndModelAndTheConfigurationIsReadAgain) {
    Start();
    const int keyboard = EntryOfKind(kKindKeyboard);
    CTalvorenUSBDevice* model = List().Entry(keyboard)->Model();
    CDevicePageUI* page = window->PageOf(model);
    emulator.Attach(EmulatedKind::Keyboard);
    ASSERT_TRUE(WaitVisible(keyboard, true));
    // Timer 1001 reads the configuration 500 ms after arrival, on the device's queue.
    const auto reports = [&] { return emulator.Dump(EmulatedKind::Keyboard)["reports"].asInt(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports() > 0; }, 3000));

    emulator.Find(EmulatedKind::Keyboard)->Unplug();
    ASSERT_TRUE(WaitVisible(keyboard, false));
    emulator.Find(EmulatedKind::Keyboard)->Plug();
    ASSERT_TRUE(WaitVisible(keyboard, true));
    EXPECT_EQ(List().Entry(keyboard)->Model(), model);
    EXPECT_EQ(window->PageOf(model), page);
    EXPECT_EQ(window->Models().Count(), 4u);
    EXPECT_TRUE(model->IsCommandChannelOpen());
    const int before = reports();
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports() > before; }, 3000));
}

TEST_F(MainWndTest, PreviousAndNextStopAtTheEndsOfTheVisibleEntries) {
    Start();
    // The mouse and the pad share their ids, so the first of them takes the mouse's slot: both
    // are attached, as the demo does.
    for (EmulatedKind kind : {EmulatedKind::Keyboard, EmulatedKind::Mouse, EmulatedKind::MousePad, EmulatedKind::Headset})
        emulator.Attach(kind);
    const int mouse = EntryOfKind(kKindMouse);
    const int keyboard = EntryOfKind(kKindKeyboard);
    const int pad = EntryOfKind(kKindMousePad);
    const int headset = EntryOfKind(kKindHeadset);
    ASSERT_TRUE(WaitVisible(mouse, true) && WaitVisible(keyboard, true) && WaitVisible(pad, true) &&
                WaitVisible(headset, true));
    emulator.Detach(EmulatedKind::Mouse);
    ASSERT_TRUE(WaitVisible(mouse, false));
    // Entries in table order: mouse (hidden now), keyboard, pad, headset.
    List().ShowDeviceEntry(keyboard, true, true);
    window->Notify(Msg("click", "device_select_prev"));
    EXPECT_EQ(List().SelectedIndex(), keyboard);
    window->Notify(Msg("click", "device_select_next"));
    EXPECT_EQ(List().SelectedIndex(), pad);
    window->Notify(Msg("click", "device_select_next"));
    EXPECT_EQ(List().SelectedIndex(), headset);
    window->Notify(Msg("click", "device_select_next"));
    EXPECT_EQ(List().SelectedIndex(), headset);
}

TEST_F(MainWndTest, ClickingAnEntryShowsItsPage) {
    Start();
    emulator.Attach(EmulatedKind::Keyboard);
    emulator.Attach(EmulatedKind::Headset);
    const int keyboard = EntryOfKind(kKindKeyboard);
    const int headset = EntryOfKind(kKindHeadset);
    ASSERT_TRUE(WaitVisible(keyboard, true) && WaitVisible(headset, true));
    List().Entry(headset)->SelectButton()->click();
    EXPECT_EQ(List().SelectedIndex(), headset);
    auto* pages = window->findChild<QStackedWidget*>("device_switch");
    EXPECT_EQ(pages->currentWidget(), window->PageOf(List().Entry(headset)->Model()));
}

TEST_F(MainWndTest, PowerRecordWithLevel57ShowsTheTextAndTheBarAt43) {
    Start();
    CMpDevicePowerUI* power = window->PageOf(List().Entry(EntryOfKind(kKindMouse))->Model())->PowerIndicator();
    ASSERT_NE(power, nullptr);
    const uint8_t record[] = {57, 0, 0, 1, 0, 0};
    power->ShowPowerStatus(record);
    EXPECT_EQ(power->findChild<QLabel*>("device_power_value")->text(), "57%");
    EXPECT_EQ(power->findChild<QProgressBar*>("device_Power_progress")->value(), 43);
    EXPECT_FALSE(power->findChild<QWidget*>("device_wuxian_logo")->isHidden());
    EXPECT_EQ(power->findChild<QWidget*>("device_power_status")->property("image").toString(),
              "file='power/powered.png'");
}

}  // namespace
}  // namespace morvek::app
