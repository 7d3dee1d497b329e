// The model factory as the window's registry uses it: the keyboard template gets the keyboard
// model, which reads its configuration on arrival and again after it was unplugged and
// plugged back in.

#include <gtest/gtest.h>

#include "devicelink/DeviceModelTestSupport.h"
#include "devices/DeviceModelFactory.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "emulator/EmulatorBackend.h"
#include "emulator/KeyboardMatrix.h"
#include "support/SourcePaths.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

using std::chrono::milliseconds;

TEST(DeviceModelFactoryTest, KindsWithoutAModelGetNone) {
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    const DeviceModelFactory factory(backend, ui, TaskQueueMode::Inline);
    DevicePageTemplate hub = DevicePageTemplates()[0];
    hub.kind = 5;
    EXPECT_EQ(factory.CreateDeviceModel(hub), nullptr);
}

TEST(DeviceModelFactoryTest, KeyboardModelReadsItsConfigurationOnEveryArrival) {
    test::TempFolder folder;
    emulator::EmulatorBackend backend;
    InlineUiDispatcher ui;
    test::FakeClock clock;
    const DeviceModelFactory factory(backend, ui, TaskQueueMode::Inline);
    DeviceModelRegistry registry(clock.Function());
    test::RegistryOwner owner(registry);
    DeviceMonitor monitor(backend, owner);
    registry.CreateModels(monitor.Slots(), factory.RegistryFactory());
    const auto keyboards = registry.ModelsOfKind(kKindKeyboard);
    ASSERT_EQ(keyboards.size(), 1u);
    auto* keyboard = dynamic_cast<CTalvorenKeyboardDevice*>(keyboards[0]);
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->GetClassName(), "TalvorenKeyboardDevice");
    keyboard->SetDataRoots(folder / "data", test::SourceDataDir());

    emulator::EmulatedDevice& device = backend.Attach(emulator::EmulatedKind::Keyboard);
    monitor.RunOnePass();
    clock.Advance(milliseconds(500));
    registry.RunDue();
    ASSERT_TRUE(keyboard->Layout().IsRead());
    const int key = 37;
    const uint8_t led = keyboard->Layout().LedOf(key);

    device.Unplug();
    monitor.RunOnePass();
    EXPECT_FALSE(keyboard->IsCommandChannelOpen());
    // Meanwhile the keyboard's LED positions changed (another firmware, say).
    emulator::FirmwareMemory memory = device.Memory();
    const auto& slots = emulator::SlotMatrixIndex();
    const size_t slot = size_t(std::find(slots.begin(), slots.end(), key) - slots.begin());
    memory.keyAttr[slot] = uint8_t(led + 1);
    ASSERT_TRUE(device.RestoreMemory(memory));

    device.Plug();
    monitor.RunOnePass();
    ASSERT_EQ(registry.ModelsOfKind(kKindKeyboard).at(0), keyboard);
    clock.Advance(milliseconds(500));
    registry.RunDue();
    EXPECT_EQ(keyboard->Layout().LedOf(key), uint8_t(led + 1));
}

}  // namespace
}  // namespace morvek
