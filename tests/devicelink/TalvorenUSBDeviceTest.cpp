// The device model base: initial values, base operations, data folders, the light frame path,
// host light control, the power status read, the event channel and stopping.

#include <gtest/gtest.h>

#include <future>

#include "DeviceModelTestSupport.h"
#include "devicelink/FunctionTabs.h"
#include "devicelink/LightFrame.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "emulator/EmulatorBackend.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;

DeviceEntry KeyboardCommandEntry() {
    DeviceEntry e = InterfaceMatchTable()[0];
    e.path = test::kEmuKeyboardCommand;
    e.present = 1;
    return e;
}

DeviceEntry PadCommandEntry() {
    DeviceEntry e = InterfaceMatchTable()[4];
    e.path = test::kEmuPadCommand;
    e.present = 1;
    return e;
}

TEST(TalvorenUSBDeviceTest, StartsWithThePartsInitialValues) {
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    EXPECT_EQ(model.GetClassName(), "TalvorenUSBDevice");
    EXPECT_FALSE(model.IsCommandChannelOpen());
    EXPECT_FALSE(model.EventChannel().IsOpen());
    EXPECT_EQ(model.ProfileName(), "");
    EXPECT_EQ(model.KeyCount(), 0);
    EXPECT_EQ(model.LightCount(), 0);
    EXPECT_EQ(model.ActiveKey(), -1);
    EXPECT_EQ(model.GetFunctionType(), 1);
    EXPECT_TRUE(model.KeyIndexMap().empty());
    EXPECT_EQ(model.GetLightParameters(), LightParameters{});
    EXPECT_TRUE(model.GetHostLightControl());
    EXPECT_TRUE(model.GetLightPreview());
    EXPECT_EQ(model.Kind(), 0);
    EXPECT_EQ(model.Role(), 0);
    EXPECT_EQ(model.GetDeviceClassNumber(), 0);
    EXPECT_EQ(model.GetPowerIndicatorStyle(), 0);
    EXPECT_EQ(model.Tasks().Mode(), TaskQueueMode::Inline);
}

TEST(TalvorenUSBDeviceTest, BaseOperationsDoNothingAndGiveZero) {
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    EXPECT_EQ(model.WriteSettings(0, 0, 0, 1920, 1080), 0);
    std::string name = "left over";
    model.GetProfileName(name);
    EXPECT_EQ(name, "");
    model.SetProfileName("2026_01_02_03_04_05_006");
    model.GetProfileName(name);
    EXPECT_EQ(name, "");  // the name of the loaded profile, not its identity
    EXPECT_EQ(model.ProfileName(), "2026_01_02_03_04_05_006");

    model.SetKeyIndexMap({{1, 7}, {2, 255}});
    EXPECT_EQ(model.KeyIndexMap(), (std::map<uint32_t, uint32_t>{{1, 7}, {2, 255}}));
    model.SetLightSettings(3, 2, 0xFF0000);
    EXPECT_EQ(model.GetLightParameters(), (LightParameters{3, 2, 0xFF0000}));
    model.SelectKey(17);
    EXPECT_EQ(model.ActiveKey(), 17);
    model.SetDeviceClassNumber(kClassMousePad);
    EXPECT_EQ(model.GetDeviceClassNumber(), kClassMousePad);
    EXPECT_EQ(CTalvorenUSBDevice::StepCounter(0, 192, 0, 1), 191);
    EXPECT_EQ(CTalvorenUSBDevice::StepCounter(1, 128, 127, 1), 0);
}

TEST(TalvorenUSBDeviceTest, AttachIdentitySetsKindAndRole) {
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    const DeviceEntry event = InterfaceMatchTable()[1];
    model.AttachIdentity(event);
    EXPECT_EQ(model.Identity(), event);
    EXPECT_EQ(model.Kind(), kKindKeyboard);
    EXPECT_EQ(model.Role(), kRoleEvent);
}

TEST(TalvorenUSBDeviceTest, LightCountResizesAndDarkensEveryLed) {
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    model.SetLightCount(3);
    model.SetLedColour(1, 0x80112233);
    EXPECT_EQ(model.GetLedColour(1), 0x80112233u);
    // Outside the buffer: nothing stored, 0 read.
    model.SetLedColour(-1, 0xFFFFFFFF);
    model.SetLedColour(3, 0xFFFFFFFF);
    EXPECT_EQ(model.GetLedColour(-1), 0u);
    EXPECT_EQ(model.GetLedColour(3), 0u);
    model.SetLightCount(4);
    EXPECT_EQ(model.LightCount(), 4);
    EXPECT_EQ(model.LedsSnapshot(), std::vector<LedEntry>(4));
    EXPECT_EQ(model.LedEffects(), std::vector<LedEffectState>(4));
    model.SetLightCount(-5);
    EXPECT_EQ(model.LightCount(), 0);
    EXPECT_TRUE(model.LedsSnapshot().empty());
}

TEST(TalvorenUSBDeviceTest, InitDevicePageWithoutLayoutHasNoKeysAndNoLights) {
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    model.SetKeyCount(126);
    model.SetLightCount(126);
    model.SetPageLayoutFile("XML\\DeviceXml\\keyboarddevice.xml");
    model.InitDevicePage();
    EXPECT_EQ(model.KeyCount(), 126);
    EXPECT_EQ(model.LightCount(), 126);
    model.SetPageLayoutFile("");
    model.InitDevicePage();
    EXPECT_EQ(model.KeyCount(), 0);
    EXPECT_EQ(model.LightCount(), 0);
}

TEST(TalvorenUSBDeviceTest, TheViewIsToldOnTheUserInterfaceThread) {
    emulator::EmulatorBackend backend;
    QueuedUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    test::RecordingView view;
    model.SetView(&view);
    model.SetDeviceClassNumber(kClassKeyboard);
    model.SetFunctionType(4);
    model.SetDeviceClassNumber(kClassMousePad);
    model.SetFunctionType(4);
    EXPECT_EQ(model.RefreshPage(), 0);
    model.ApplyProfileToPage();
    EXPECT_EQ(model.GetFunctionType(), 4);
    EXPECT_TRUE(view.tabs.empty());  // nothing before the user-interface thread runs
    ui.RunPending();
    EXPECT_EQ(view.tabs, (std::vector<FunctionTabs>{FunctionTabsFor(4, kClassKeyboard),
                                                    FunctionTabsFor(4, kClassMousePad)}));
    EXPECT_EQ(view.tabs[0].functionTab, 3);
    EXPECT_EQ(view.tabs[1].keyFunctionTab, 2);
    EXPECT_EQ(view.refreshes, 2);

    // Without a view nothing happens.
    model.SetView(nullptr);
    model.RefreshPage();
    ui.RunPending();
    EXPECT_EQ(view.refreshes, 2);
}

TEST(TalvorenUSBDeviceTest, DataFoldersFollowTheDataFolderName) {
    test::TempFolder temp;
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    CTalvorenUSBDevice model(backend, ui, TaskQueueMode::Inline);
    model.SetDataRoots(temp / "user", temp / "program" / "DefaultData");
    model.SetDataFolderName("keyboard");
    const auto user = model.GetUserDataFolder();
    EXPECT_EQ(user, temp / "user" / "keyboard");
    EXPECT_TRUE(std::filesystem::is_directory(temp / "user" / "keyboard"));
    EXPECT_EQ(model.GetDefaultDataFolder(), temp / "program" / "DefaultData");
    EXPECT_EQ(model.GetDefaultProfilePath(), temp / "program" / "DefaultData" / "keyboard.Json");
    model.SetDataFolderName("MousePad");
    EXPECT_EQ(model.GetDefaultProfilePath().filename(), "MousePad.Json");
}

class ModelWithEmulatorTest : public ::testing::Test {
protected:
    emulator::EmulatorBackend emulator_;
    emulator::EmulatedDevice& keyboard_ = emulator_.Attach(EmulatedKind::Keyboard);
    test::ObservedBackend backend_{emulator_};
    QueuedUiDispatcher ui_;
    test::RecordingView view_;
};

TEST_F(ModelWithEmulatorTest, LedFrameGoesToTheDeviceAndItsPreviewToTheView) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Thread);
    model.SetView(&view_);
    model.AttachIdentity(KeyboardCommandEntry());
    model.SetLightCount(126);
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));
    model.SetLedColour(0, LedEntry{{200, 100, 50}, 128}.Packed());
    model.SetLedColour(125, LedEntry{{255, 255, 255}, 255}.Packed());
    const LightFrame expected = BuildLightFrame(model.LedsSnapshot());

    ASSERT_TRUE(model.RequestLedFrame());
    model.Tasks().WaitIdle();
    EXPECT_EQ(keyboard_.LastFrame(), expected.bytes);
    EXPECT_GT(keyboard_.FrameCount(), 0u);
    EXPECT_EQ(model.Tasks().PauseCount(), 0u);
    EXPECT_TRUE(view_.previews.empty());
    ui_.RunPending();
    ASSERT_EQ(view_.previews.size(), 1u);
    EXPECT_EQ(view_.previews[0], expected.previews);
}

TEST_F(ModelWithEmulatorTest, HostLightControlOffSendsNothingAndShowsNothing) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Inline);
    model.SetView(&view_);
    model.SetLightCount(126);
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));
    model.SetHostLightControl(false);
    model.SendLedFrame();
    ui_.RunPending();
    EXPECT_EQ(keyboard_.FrameCount(), 0u);
    EXPECT_TRUE(view_.previews.empty());
}

TEST_F(ModelWithEmulatorTest, AWirelessChannelGetsNoFrameButThePreviewIsShown) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Inline);
    model.SetView(&view_);
    model.SetLightCount(126);
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));
    model.CommandChannel().SetWireless(true);
    model.SendLedFrame();
    ui_.RunPending();
    EXPECT_EQ(keyboard_.FrameCount(), 0u);
    EXPECT_EQ(view_.previews.size(), 1u);
    EXPECT_EQ(model.Tasks().PauseCount(), 0u);
}

TEST_F(ModelWithEmulatorTest, AFailedFramePausesTheDeviceThreadNeverTheCaller) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Thread);
    model.SetLightCount(126);  // channel closed: every frame fails
    std::promise<void> gate;
    std::shared_future<void> open = gate.get_future().share();
    model.RunOnDevice([open] { open.wait(); });

    model.SendLedFrame();  // called on this thread: the pause is queued for the device thread
    EXPECT_EQ(model.Tasks().PauseCount(), 0u);
    gate.set_value();
    model.Tasks().WaitIdle();
    EXPECT_EQ(model.Tasks().PauseCount(), 1u);

    ASSERT_TRUE(model.RequestLedFrame());  // on the device thread: paused there
    model.Tasks().WaitIdle();
    EXPECT_EQ(model.Tasks().PauseCount(), 2u);
}

TEST_F(ModelWithEmulatorTest, HostLightControlOnAKeyboardEntersSoftwareLight) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Thread);
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));
    model.AttachIdentity(KeyboardCommandEntry());
    model.SetHostLightControl(false);
    model.Tasks().WaitIdle();
    EXPECT_FALSE(keyboard_.SoftwareLight());
    model.SetHostLightControl(true);
    model.Tasks().WaitIdle();
    EXPECT_TRUE(keyboard_.SoftwareLight());
}

TEST_F(ModelWithEmulatorTest, HostLightControlOnOtherKindsSendsNothing) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Inline);
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));
    DeviceEntry mouse = InterfaceMatchTable()[2];
    model.AttachIdentity(mouse);
    const uint64_t reports = keyboard_.ReportCount();
    model.SetHostLightControl(true);
    EXPECT_EQ(keyboard_.ReportCount(), reports);
    EXPECT_TRUE(model.GetHostLightControl());
}

TEST_F(ModelWithEmulatorTest, PowerStatusIsReadWithTheWirelessFlagAndShown) {
    emulator::EmulatedDevice& pad = emulator_.Attach(EmulatedKind::MousePad);
    pad.SetPowerStatus(57, 1, 2);
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Thread);
    model.SetView(&view_);
    model.AttachIdentity(PadCommandEntry());
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuPadCommand));

    ASSERT_TRUE(model.RequestPowerStatus());
    model.Tasks().WaitIdle();
    ASSERT_TRUE(model.LastPowerStatus().has_value());
    EXPECT_EQ((*model.LastPowerStatus())[0], 57);
    EXPECT_EQ((*model.LastPowerStatus())[kPowerByteWireless], 0);
    ui_.RunPending();
    ASSERT_EQ(view_.power.size(), 1u);
    EXPECT_EQ(view_.power[0].levelBarValue, 43);
    EXPECT_EQ(view_.power[0].valueText, "57%");
    EXPECT_EQ(view_.power[0].levelBarVisible, true);
    EXPECT_EQ(view_.power[0].statusImage, "file='power/powering.png'");
    EXPECT_EQ(view_.power[0].phoneName, "Phone_type_samsung");

    model.CommandChannel().SetWireless(true);
    model.RequestPowerStatus();
    model.Tasks().WaitIdle();
    EXPECT_EQ((*model.LastPowerStatus())[kPowerByteWireless], 1);
    ui_.RunPending();
    ASSERT_EQ(view_.power.size(), 2u);
    EXPECT_EQ(view_.power[1].levelBarVisible, false);
    EXPECT_EQ(view_.power[1].statusImage, "file='power/wuxian_powering.png'");
}

TEST_F(ModelWithEmulatorTest, PowerStatusOnAClosedChannelReadsNothing) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Inline);
    model.SetView(&view_);
    PowerRecord record{};
    EXPECT_EQ(model.ReadPowerRecord(record), kResultNoAnswer);
    model.ReadPowerStatus();
    ui_.RunPending();
    EXPECT_TRUE(view_.power.empty());
    EXPECT_FALSE(model.LastPowerStatus().has_value());
}

TEST_F(ModelWithEmulatorTest, ShutdownEndsATransferWaitingOnASilentDevice) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Thread);
    ASSERT_TRUE(model.CommandChannel().Open(test::kEmuKeyboardCommand));
    model.CommandChannel().SetWireless(true);  // 5 s per read
    keyboard_.SetFaults({.silent = true});
    std::atomic<int> result{-999};
    std::atomic<bool> doneDelivered{false};
    model.RunOnDevice(
        [&] {
            PowerRecord record{};
            result = model.ReadPowerRecord(record);
            return result.load();
        },
        [&](int) { doneDelivered = true; });
    ASSERT_TRUE(backend_.WaitForRead());
    model.Shutdown();
    EXPECT_EQ(result.load(), kResultNoAnswer);
    for (const hid::IoStatus status : backend_.ReadResults()) EXPECT_EQ(status, hid::IoStatus::Aborted);
    EXPECT_FALSE(model.IsCommandChannelOpen());
    ui_.RunPending();
    EXPECT_FALSE(doneDelivered.load());
    EXPECT_FALSE(model.RunOnDevice([] {}));
}

TEST_F(ModelWithEmulatorTest, EventChannelReaderReportsSyncRequestsAndKeys) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Thread);
    model.AttachIdentity(KeyboardCommandEntry());
    std::promise<int> sync;
    std::promise<std::pair<int, int>> key;
    model.SetSyncRequestHandler([&](int delay) { sync.set_value(delay); });
    model.SetDeviceKeyHandler([&](int k, int phase) { key.set_value({k, phase}); });
    ASSERT_TRUE(model.OpenEventChannel(test::kEmuKeyboardEvent));
    EXPECT_TRUE(model.EventReaderRunning());

    auto syncDelay = sync.get_future();
    ASSERT_TRUE(keyboard_.SendEvent(kEventSyncRequest));
    ASSERT_EQ(syncDelay.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(syncDelay.get(), 100);

    auto pressed = key.get_future();
    ASSERT_TRUE(keyboard_.Press(5));
    ASSERT_EQ(pressed.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    EXPECT_EQ(pressed.get(), (std::pair<int, int>{5, kKeyPhasePressed}));
    model.SetDeviceKeyHandler({});

    model.CloseEventChannel();
    EXPECT_FALSE(model.EventReaderRunning());
    EXPECT_FALSE(model.EventChannel().IsOpen());
}

TEST_F(ModelWithEmulatorTest, AnEventChannelThatCannotOpenStartsNoReader) {
    CTalvorenUSBDevice model(backend_, ui_, TaskQueueMode::Inline);
    EXPECT_FALSE(model.OpenEventChannel("emu:nothing&vid_0c45&pid_764e&mi_01&col03"));
    EXPECT_FALSE(model.EventReaderRunning());
}

}  // namespace
}  // namespace morvek
