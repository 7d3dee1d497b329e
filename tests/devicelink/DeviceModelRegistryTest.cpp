// Hot-plug against the emulator: the monitor announces slots, the registry opens and closes
// the models' channels, starts their event readers and drives their schedules.

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

#include "DeviceModelTestSupport.h"
#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceMonitor.h"
#include "emulator/EmulatorBackend.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using std::chrono::milliseconds;

class HotPlugTest : public ::testing::Test {
protected:
    void SetUp() override { CreateModels(TaskQueueMode::Inline); }

    void CreateModels(TaskQueueMode mode) {
        registry_.CreateModels(monitor_.Slots(), [&](const DevicePageTemplate&) {
            return std::make_unique<test::RecordingModel>(backend_, ui_, mode);
        });
    }

    // The model built for kind (the mouse list holds the wired mouse's and the receiver's).
    test::RecordingModel& ModelOfKind(uint16_t kind) {
        std::vector<CTalvorenUSBDevice*> models;
        for (CTalvorenUSBDevice* model : registry_.ModelsOfKind(kind)) {
            if (model->Identity().kind == kind) models.push_back(model);
        }
        EXPECT_EQ(models.size(), 1u);
        return static_cast<test::RecordingModel&>(*models.at(0));
    }
    test::RecordingModel& Keyboard() { return ModelOfKind(kKindKeyboard); }
    DeviceSchedule& ScheduleOf(CTalvorenUSBDevice& model) { return *registry_.ScheduleOf(model); }

    emulator::EmulatorBackend emulator_;
    test::ObservedBackend backend_{emulator_};
    test::FakeClock clock_;
    InlineUiDispatcher ui_;
    DeviceModelRegistry registry_{clock_.Function()};
    test::RegistryOwner owner_{registry_};
    DeviceMonitor monitor_{backend_, owner_};
};

TEST_F(HotPlugTest, PageCreationMakesOneConfiguredModelPerPageTemplateAndOneForTheReceiver) {
    ASSERT_EQ(registry_.Count(), 5u);
    const std::vector<uint16_t> kinds = {kKindMouse, kKindWirelessMouse, kKindKeyboard, kKindMousePad, kKindHeadset};
    for (size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(registry_.Model(i).Kind(), kinds[i]);

    test::RecordingModel& keyboard = Keyboard();
    EXPECT_EQ(keyboard.PageLayoutFile(), "XML\\DeviceXml\\keyboarddevice.xml");
    EXPECT_EQ(keyboard.KeyCount(), 126);
    EXPECT_EQ(keyboard.LightCount(), 126);
    EXPECT_EQ(keyboard.LedsSnapshot().size(), 126u);
    EXPECT_EQ(keyboard.DataFolderName(), "keyboard");
    EXPECT_EQ(keyboard.LightConfigName(), "velko_light");
    EXPECT_EQ(keyboard.GetDeviceClassNumber(), kClassKeyboard);
    EXPECT_EQ(keyboard.Identity(), monitor_.Slots().Slot(0));
    EXPECT_EQ(ModelOfKind(kKindMousePad).DataFolderName(), "MousePad");
    const test::RecordingModel& receiver = ModelOfKind(kKindWirelessMouse);
    EXPECT_EQ(receiver.DataFolderName(), "mouse");
    EXPECT_EQ(receiver.PageLayoutFile(), "XML\\DeviceXml\\mousedevice.xml");
    EXPECT_EQ(receiver.GetDeviceClassNumber(), kClassMouse);
    EXPECT_EQ(receiver.Identity(), monitor_.Slots().Slot(7));
    EXPECT_EQ(ModelOfKind(kKindHeadset).LightCount(), 13);
}

TEST_F(HotPlugTest, NoDeviceChangesNothing) {
    monitor_.RunOnePass();
    monitor_.RunOnePass();
    EXPECT_EQ(owner_.firstScans, 1);
    EXPECT_TRUE(owner_.arrivals.empty());
    for (size_t i = 0; i < registry_.Count(); ++i) {
        EXPECT_FALSE(registry_.Model(i).IsCommandChannelOpen());
        EXPECT_FALSE(registry_.Model(i).EventReaderRunning());
        EXPECT_EQ(registry_.Schedule(i).NextDeadline(), std::nullopt);
    }
}

TEST_F(HotPlugTest, PlugUnplugAndReplugAKeyboard) {
    emulator::EmulatedDevice& device = emulator_.Attach(EmulatedKind::Keyboard);
    monitor_.RunOnePass();
    test::RecordingModel& keyboard = Keyboard();

    // Plugged: slots 1 (event, listed first) and 0 (command), both channels open, the reader
    // runs, the entry is to be shown.
    EXPECT_EQ(owner_.arrivals, (std::vector<size_t>{1, 0}));
    ASSERT_EQ(owner_.arrivalResults.size(), 2u);
    EXPECT_EQ(owner_.arrivalResults[1].model, &keyboard);
    EXPECT_TRUE(owner_.arrivalResults[1].commandInterface);
    EXPECT_TRUE(owner_.arrivalResults[1].opened);
    EXPECT_EQ(owner_.arrivalResults[0].model, &keyboard);
    EXPECT_FALSE(owner_.arrivalResults[0].commandInterface);
    EXPECT_TRUE(owner_.arrivalResults[0].opened);
    EXPECT_TRUE(keyboard.IsCommandChannelOpen());
    EXPECT_FALSE(keyboard.CommandChannel().IsWireless());
    EXPECT_EQ(keyboard.Identity().path, test::kEmuKeyboardCommand);
    EXPECT_TRUE(keyboard.EventChannel().IsOpen());
    EXPECT_TRUE(keyboard.EventReaderRunning());
    EXPECT_FALSE(ModelOfKind(kKindMouse).IsCommandChannelOpen());

    // The configuration is read 500 ms later, through the schedule; frames follow.
    DeviceSchedule& schedule = ScheduleOf(keyboard);
    clock_.Advance(milliseconds(500));
    registry_.RunDue();
    EXPECT_EQ(keyboard.configReads.load(), 1);
    EXPECT_EQ(keyboard.lastConfigResult.load(), kResultSuccess);
    clock_.Advance(milliseconds(5));
    registry_.RunDue();
    EXPECT_EQ(keyboard.frames.load(), 1);
    EXPECT_GT(device.FrameCount(), 0u);

    // Keep the model's state to see that it stays.
    keyboard.SetLedColour(3, 0xFF00FF00);
    keyboard.SetProfileName("2026_01_02_03_04_05_006");

    // Unplugged: removal of both slots, channels closed, reader stopped, timers stopped.
    device.Unplug();
    monitor_.RunOnePass();
    EXPECT_EQ(owner_.removals, (std::vector<size_t>{0, 1}));
    EXPECT_FALSE(keyboard.IsCommandChannelOpen());
    EXPECT_FALSE(keyboard.EventChannel().IsOpen());
    EXPECT_FALSE(keyboard.EventReaderRunning());
    EXPECT_EQ(schedule.NextDeadline(), std::nullopt);
    EXPECT_EQ(registry_.Count(), 5u);
    EXPECT_EQ(keyboard.GetLedColour(3), 0xFF00FF00u);
    EXPECT_EQ(keyboard.ProfileName(), "2026_01_02_03_04_05_006");

    // Re-plugged: the same model opens again and reads the configuration again.
    device.Plug();
    monitor_.RunOnePass();
    EXPECT_EQ(owner_.arrivals, (std::vector<size_t>{1, 0, 1, 0}));
    EXPECT_EQ(owner_.arrivalResults[3].model, &keyboard);
    EXPECT_TRUE(keyboard.IsCommandChannelOpen());
    EXPECT_TRUE(keyboard.EventReaderRunning());
    clock_.Advance(milliseconds(499));
    registry_.RunDue();
    EXPECT_EQ(keyboard.configReads.load(), 1);
    clock_.Advance(milliseconds(1));
    registry_.RunDue();
    EXPECT_EQ(keyboard.configReads.load(), 2);
    EXPECT_EQ(keyboard.lastConfigResult.load(), kResultSuccess);
    EXPECT_EQ(owner_.firstScans, 1);
}

TEST_F(HotPlugTest, TheFramesOfAllDevicesFireTogether) {
    emulator_.Attach(EmulatedKind::Keyboard);
    monitor_.RunOnePass();
    clock_.Advance(milliseconds(130));
    emulator_.Attach(EmulatedKind::MousePad);
    monitor_.RunOnePass();
    DeviceSchedule& keyboard = ScheduleOf(Keyboard());
    DeviceSchedule& pad = ScheduleOf(ModelOfKind(kKindMousePad));

    clock_.Advance(milliseconds(370));
    registry_.RunDue();  // the keyboard's configuration: its frames start the grid
    const auto keyboardFrame = keyboard.Deadline(DeviceTimer::Frame);
    ASSERT_TRUE(keyboardFrame.has_value());
    clock_.Advance(milliseconds(130));
    registry_.RunDue();  // the pad's, 130 ms later: its first frame joins the keyboard's
    const auto padFrame = pad.Deadline(DeviceTimer::Frame);
    ASSERT_TRUE(padFrame.has_value());
    EXPECT_EQ(padFrame, keyboard.Deadline(DeviceTimer::Frame));
    EXPECT_EQ((*padFrame - *keyboardFrame) % milliseconds(50), milliseconds(0));

    for (int frame = 0; frame < 3; ++frame) {
        clock_.Set(*keyboard.Deadline(DeviceTimer::Frame));
        registry_.RunDue();
        EXPECT_EQ(keyboard.Deadline(DeviceTimer::Frame), pad.Deadline(DeviceTimer::Frame));
    }
    EXPECT_EQ(ModelOfKind(kKindMousePad).frames.load(), 3);
}

TEST_F(HotPlugTest, ASecondIdenticalKeyboardIsIgnored) {
    emulator::EmulatorBackend secondHost;
    test::TwoHostBackend both(emulator_, secondHost);
    test::RegistryOwner owner(registry_);
    DeviceMonitor monitor(both, owner);
    emulator_.Attach(EmulatedKind::Keyboard);
    secondHost.Attach(EmulatedKind::Keyboard);
    monitor.RunOnePass();
    monitor.RunOnePass();
    EXPECT_EQ(owner.arrivals, (std::vector<size_t>{1, 0}));
    EXPECT_EQ(Keyboard().CommandChannel().Interface().Path(), test::kEmuKeyboardCommand);
    EXPECT_EQ(Keyboard().EventChannel().Interface().Path(), test::kEmuKeyboardEvent);
}

TEST_F(HotPlugTest, ASyncRequestFromTheDeviceReadsItsProfileAfter100Ms) {
    emulator::EmulatedDevice& device = emulator_.Attach(EmulatedKind::Keyboard);
    monitor_.RunOnePass();
    test::RecordingModel& keyboard = Keyboard();
    DeviceSchedule& schedule = ScheduleOf(keyboard);
    std::promise<void> started;
    std::atomic<bool> once{false};
    schedule.SetChangedHook([&] {
        if (schedule.IsRunning(DeviceTimer::ReadProfile) && !once.exchange(true)) started.set_value();
    });
    auto profileTimer = started.get_future();
    ASSERT_TRUE(device.SendEvent(kEventSyncRequest));
    ASSERT_EQ(profileTimer.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    schedule.SetChangedHook({});
    EXPECT_EQ(*schedule.Deadline(DeviceTimer::ReadProfile) - clock_.Now(), milliseconds(100));
    clock_.Advance(milliseconds(100));
    registry_.RunDue();
    EXPECT_EQ(keyboard.profileReads.load(), 1);
}

TEST_F(HotPlugTest, ACommandInterfaceWhoseChannelCannotOpenStillArrivesAndItsTimersStop) {
    emulator_.Attach(EmulatedKind::Keyboard);
    backend_.SetRefuseWriteOpens(true);
    monitor_.RunOnePass();
    test::RecordingModel& keyboard = Keyboard();
    ASSERT_EQ(owner_.arrivalResults.size(), 2u);
    EXPECT_EQ(owner_.arrivalResults[1].model, &keyboard);  // the window shows its entry
    EXPECT_TRUE(owner_.arrivalResults[1].commandInterface);
    EXPECT_FALSE(owner_.arrivalResults[1].opened);
    EXPECT_FALSE(owner_.arrivalResults[0].opened);
    EXPECT_FALSE(keyboard.EventReaderRunning());
    clock_.Advance(milliseconds(500));
    EXPECT_EQ(registry_.RunDue(), std::nullopt);
    EXPECT_EQ(keyboard.configReads.load(), 1);
    EXPECT_EQ(keyboard.lastConfigResult.load(), kResultNoAnswer);
}

TEST_F(HotPlugTest, EveryKindFindsItsOwnModel) {
    for (EmulatedKind kind : {EmulatedKind::Keyboard, EmulatedKind::Mouse, EmulatedKind::MousePad,
                              EmulatedKind::Headset, EmulatedKind::WirelessMouse})
        emulator_.Attach(kind);
    monitor_.RunOnePass();
    EXPECT_EQ(owner_.arrivals.size(), 9u);
    for (uint16_t kind : {kKindKeyboard, kKindMouse, kKindMousePad, kKindHeadset, kKindWirelessMouse}) {
        EXPECT_TRUE(ModelOfKind(kind).IsCommandChannelOpen()) << kind;
    }
    // The receiver's model asks for the mouse behind it before each command.
    EXPECT_TRUE(ModelOfKind(kKindWirelessMouse).CommandChannel().IsWireless());
    EXPECT_FALSE(ModelOfKind(kKindMouse).CommandChannel().IsWireless());
    // The headset has no event interface in the match table.
    EXPECT_TRUE(Keyboard().EventReaderRunning());
    EXPECT_TRUE(ModelOfKind(kKindMouse).EventReaderRunning());
    EXPECT_TRUE(ModelOfKind(kKindWirelessMouse).EventReaderRunning());
    EXPECT_TRUE(ModelOfKind(kKindMousePad).EventReaderRunning());
    EXPECT_FALSE(ModelOfKind(kKindHeadset).EventReaderRunning());
}

// The wired mouse and the pad share their interface numbers; each goes to its own model, alone
// or together, whichever is plugged first, and again after a re-plug.
TEST_F(HotPlugTest, MouseAndPadEachOpenTheirOwnModelInAnyPlugOrder) {
    const std::vector<std::vector<EmulatedKind>> orders = {
        {EmulatedKind::MousePad},
        {EmulatedKind::Mouse},
        {EmulatedKind::MousePad, EmulatedKind::Mouse},
        {EmulatedKind::Mouse, EmulatedKind::MousePad},
    };
    const auto modelKind = [](EmulatedKind kind) {
        return kind == EmulatedKind::Mouse ? uint16_t{kKindMouse} : uint16_t{kKindMousePad};
    };
    for (const auto& order : orders) {
        for (EmulatedKind kind : order) {
            emulator_.Attach(kind);
            monitor_.RunOnePass();
        }
        // Unplugging and re-plugging the first one brings it back to the same model.
        emulator_.Find(order.front())->Unplug();
        monitor_.RunOnePass();
        EXPECT_FALSE(ModelOfKind(modelKind(order.front())).IsCommandChannelOpen());
        emulator_.Find(order.front())->Plug();
        monitor_.RunOnePass();
        for (uint16_t kind : {kKindMouse, kKindMousePad}) {
            const bool attached = std::any_of(order.begin(), order.end(),
                                              [&](EmulatedKind k) { return modelKind(k) == kind; });
            test::RecordingModel& model = ModelOfKind(kind);
            EXPECT_EQ(model.IsCommandChannelOpen(), attached) << kind << " of " << order.size();
            EXPECT_EQ(model.EventReaderRunning(), attached) << kind << " of " << order.size();
            if (!attached) continue;
            const std::string word = kind == kKindMouse ? "emu:mouse" : "emu:pad";
            EXPECT_TRUE(model.CommandChannel().Interface().Path().starts_with(word)) << kind;
            EXPECT_TRUE(model.EventChannel().Interface().Path().starts_with(word)) << kind;
        }
        for (EmulatedKind kind : order) emulator_.Detach(kind);
        monitor_.RunOnePass();
    }
}

TEST_F(HotPlugTest, AReceiverOpensItsOwnModelAloneAndBesideAWiredMouse) {
    for (bool withWiredMouse : {false, true}) {
        if (withWiredMouse) emulator_.Attach(EmulatedKind::Mouse);
        emulator_.Attach(EmulatedKind::WirelessMouse);
        monitor_.RunOnePass();
        test::RecordingModel& receiver = ModelOfKind(kKindWirelessMouse);
        EXPECT_TRUE(receiver.IsCommandChannelOpen()) << withWiredMouse;
        EXPECT_TRUE(receiver.CommandChannel().IsWireless());
        EXPECT_EQ(receiver.Identity().interfaceNumber, kReceiverControlInterface);
        EXPECT_TRUE(receiver.EventReaderRunning());
        EXPECT_EQ(ModelOfKind(kKindMouse).IsCommandChannelOpen(), withWiredMouse);
        EXPECT_EQ(ModelOfKind(kKindMouse).EventReaderRunning(), withWiredMouse);
        clock_.Advance(milliseconds(500));
        registry_.RunDue();
        EXPECT_GE(receiver.configReads.load(), 1);
        EXPECT_EQ(receiver.lastConfigResult.load(), kResultSuccess);

        emulator_.Detach(EmulatedKind::WirelessMouse);
        emulator_.Detach(EmulatedKind::Mouse);
        monitor_.RunOnePass();
        EXPECT_FALSE(receiver.IsCommandChannelOpen());
        EXPECT_FALSE(receiver.EventReaderRunning());
    }
}

// With device threads, the configuration read runs there and what follows it waits for the
// result to come back through the user-interface dispatcher.
TEST(HotPlugThreadTest, TheConfigurationReadRunsOnTheDeviceThread) {
    emulator::EmulatorBackend backend;
    test::FakeClock clock;
    QueuedUiDispatcher ui;
    DeviceModelRegistry registry(clock.Function());
    test::RegistryOwner owner(registry);
    DeviceMonitor monitor(backend, owner);
    registry.CreateModels(monitor.Slots(), [&](const DevicePageTemplate&) {
        return std::make_unique<test::RecordingModel>(backend, ui, TaskQueueMode::Thread);
    });
    backend.Attach(EmulatedKind::Keyboard);
    monitor.RunOnePass();
    auto& keyboard = static_cast<test::RecordingModel&>(*registry.ModelsOfKind(kKindKeyboard).at(0));
    DeviceSchedule& schedule = *registry.ScheduleOf(keyboard);

    clock.Advance(milliseconds(500));
    registry.RunDue();
    keyboard.Tasks().WaitIdle();
    EXPECT_EQ(keyboard.configReads.load(), 1);
    EXPECT_FALSE(schedule.IsRunning(DeviceTimer::Frame));
    ui.RunPending();
    EXPECT_TRUE(schedule.IsRunning(DeviceTimer::Frame));
    registry.Shutdown();
    EXPECT_FALSE(keyboard.IsCommandChannelOpen());
    EXPECT_FALSE(keyboard.EventReaderRunning());
}

}  // namespace
}  // namespace morvek
