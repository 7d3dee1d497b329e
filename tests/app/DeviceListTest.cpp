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
#include "app/ResourceManager.h"
#include "devicelink/UdevRules.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;
using test::MainWndTest;

TEST_F(MainWndTest, StartWithoutDevicesShowsNoDeviceLinkAndOnePageAndModelPerKind) {
    Start();
    // Mouse, wireless mouse, keyboard, mouse pad, headset.
    EXPECT_EQ(List().Count(), 5);
    EXPECT_EQ(window->Models().Count(), 5u);
    EXPECT_EQ(List().VisibleCount(), 0);
    EXPECT_TRUE(Control("No_device_Link")->isVisibleTo(window.get()));
    EXPECT_EQ(window->CurrentDevice(), nullptr);
}

TEST_F(MainWndTest, ADeviceThisUserMayNotOpenIsShownWithTheHintUntilItOpens) {
    // Plugged in before the window starts, without the udev rule.
    emulator::EmulatedDevice& keyboard = emulator.Attach(EmulatedKind::Keyboard);
    emulator::FaultPlan faults = keyboard.Faults();
    faults.accessDenied = true;
    keyboard.SetFaults(faults);
    Start();
    auto* denied = window->findChild<QLabel*>("device_access_denied");
    ASSERT_NE(denied, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return denied->isVisibleTo(window.get()); }, 3000));
    const CResourceManager& resources = CResourceManager::GetInstance();
    EXPECT_EQ(denied->text(), resources.Text("device_access_text").arg(resources.Text("keyboard")));
    EXPECT_TRUE(denied->text().contains("udev")) << denied->text().toStdString();
    EXPECT_EQ(denied->toolTip().toStdString(), AccessDeniedHint());
    EXPECT_FALSE(denied->accessibleName().isEmpty());
    EXPECT_EQ(List().VisibleCount(), 0);
    EXPECT_TRUE(Control("No_device_Link")->isVisibleTo(window.get()));

    // The rule installed and the keyboard plugged in again: it is listed, the notice goes.
    faults.accessDenied = false;
    keyboard.SetFaults(faults);
    ASSERT_TRUE(WaitVisible(EntryOfKind(1), true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return denied->isHidden(); }, 3000));
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
    EXPECT_EQ(window->Models().Count(), 5u);
    EXPECT_TRUE(model->IsCommandChannelOpen());
    const int before = reports();
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports() > before; }, 3000));
}

TEST_F(MainWndTest, PreviousAndNextStopAtTheEndsOfTheVisibleEntries) {
    Start();
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
    // Entries in table order: mouse (hidden now), wireless mouse (not attached), keyboard, pad,
    // headset.
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

// The pad has the wired mouse's interface numbers: alone, or plugged before the mouse, it still
// shows as the pad, and each keeps its entry over a re-plug.
TEST_F(MainWndTest, APadAloneOrBeforeTheMouseShowsAsThePad) {
    Start();
    const int mouse = EntryOfKind(kKindMouse);
    const int pad = EntryOfKind(kKindMousePad);
    emulator.Attach(EmulatedKind::MousePad);
    ASSERT_TRUE(WaitVisible(pad, true));
    EXPECT_FALSE(List().IsEntryVisible(mouse));
    EXPECT_EQ(List().SelectedIndex(), pad);
    auto* pages = window->findChild<QStackedWidget*>("device_switch");
    EXPECT_EQ(pages->currentWidget(), window->PageOf(List().Entry(pad)->Model()));

    emulator.Attach(EmulatedKind::Mouse);
    ASSERT_TRUE(WaitVisible(mouse, true));
    EXPECT_EQ(List().SelectedIndex(), pad);
    emulator.Find(EmulatedKind::MousePad)->Unplug();
    ASSERT_TRUE(WaitVisible(pad, false));
    emulator.Find(EmulatedKind::MousePad)->Plug();
    ASSERT_TRUE(WaitVisible(pad, true));
    EXPECT_TRUE(List().IsEntryVisible(mouse));
    EXPECT_TRUE(List().Entry(pad)->Model()->IsCommandChannelOpen());
    EXPECT_TRUE(List().Entry(mouse)->Model()->IsCommandChannelOpen());
}

// The receiver gets a mouse page of its own, shown alone or beside the wired mouse's.
TEST_F(MainWndTest, AWirelessMouseHasAMousePageOfItsOwn) {
    Start();
    const int mouse = EntryOfKind(kKindMouse);
    const int receiver = EntryOfKind(kKindWirelessMouse);
    ASSERT_GE(receiver, 0);
    CTalvorenUSBDevice* model = List().Entry(receiver)->Model();
    CDevicePageUI* page = window->PageOf(model);
    ASSERT_NE(page, nullptr);
    EXPECT_NE(page, window->PageOf(List().Entry(mouse)->Model()));
    EXPECT_EQ(model->PageLayoutFile(), "XML\\DeviceXml\\mousedevice.xml");

    emulator.Attach(EmulatedKind::WirelessMouse);
    ASSERT_TRUE(WaitVisible(receiver, true));
    EXPECT_FALSE(List().IsEntryVisible(mouse));
    EXPECT_EQ(window->CurrentDevice(), model);
    EXPECT_TRUE(model->IsCommandChannelOpen());
    EXPECT_TRUE(model->CommandChannel().IsWireless());
    auto* pages = window->findChild<QStackedWidget*>("device_switch");
    EXPECT_EQ(pages->currentWidget(), page);
    // The configuration is read through the receiver 500 ms after arrival.
    const auto reports = [&] { return emulator.Dump(EmulatedKind::WirelessMouse)["reports"].asInt(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports() > 0; }, 3000));

    emulator.Attach(EmulatedKind::Mouse);
    ASSERT_TRUE(WaitVisible(mouse, true));
    EXPECT_EQ(List().SelectedIndex(), receiver);
    EXPECT_FALSE(List().Entry(mouse)->Model()->CommandChannel().IsWireless());
    emulator.Detach(EmulatedKind::WirelessMouse);
    ASSERT_TRUE(WaitVisible(receiver, false));
    EXPECT_EQ(List().SelectedIndex(), mouse);
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
