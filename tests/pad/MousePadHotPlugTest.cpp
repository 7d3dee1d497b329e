// The mouse pad through the device monitor and the model registry: plugged in, its
// configuration is read 500 ms later and frames flow; unplugged and plugged in again, the same
// model reads the pad's configuration again and carries on with its profile.

#include <gtest/gtest.h>

#include "devicelink/DeviceModelTestSupport.h"
#include "devicelink/DeviceMonitor.h"
#include "pad/MousePadDeviceSupport.h"
#include "support/SourcePaths.h"

namespace morvek {
namespace {

using std::chrono::milliseconds;

class MousePadHotPlugTest : public ::testing::Test {
protected:
    MousePadHotPlugTest() {
        registry_.CreateModels(monitor_.Slots(), [&](const DevicePageTemplate& page) -> std::unique_ptr<CTalvorenUSBDevice> {
            if (page.kind != kKindMousePad) return nullptr;
            return std::make_unique<CTalvorenMousePadDevice>(emulator_, ui_, TaskQueueMode::Inline);
        });
        auto pads = registry_.ModelsOfKind(kKindMousePad);
        EXPECT_EQ(pads.size(), 1u);
        pad_ = static_cast<CTalvorenMousePadDevice*>(pads.at(0));
        pad_->SetDataRoots(folder_.Path(), test::SourceDataDir());
        pad_->SetProfileName(test::kProfileUuid);
    }

    // Runs the schedule through the configuration read and the first frame.
    void ReadConfigurationAndSendAFrame() {
        clock_.Advance(milliseconds(499));
        registry_.RunDue();
        clock_.Advance(milliseconds(1));
        registry_.RunDue();
        // The first frame comes at the next point of the frames' shared grid, 5 ms or more later.
        const auto frame = registry_.ScheduleOf(*pad_)->Deadline(DeviceTimer::Frame);
        ASSERT_TRUE(frame.has_value());
        EXPECT_GE(*frame - clock_.Now(), milliseconds(5));
        clock_.Set(*frame);
        registry_.RunDue();
    }

    test::TempFolder folder_;
    emulator::EmulatorBackend emulator_;
    test::FakeClock clock_;
    InlineUiDispatcher ui_;
    DeviceModelRegistry registry_{clock_.Function()};
    test::RegistryOwner owner_{registry_};
    DeviceMonitor monitor_{emulator_, owner_};
    CTalvorenMousePadDevice* pad_ = nullptr;
};

TEST_F(MousePadHotPlugTest, ReplugReusesTheModelAndReadsTheConfigurationAgain) {
    // Alone, although its interfaces carry the wired mouse's numbers.
    emulator::EmulatedDevice& device = emulator_.Attach(emulator::EmulatedKind::MousePad);
    monitor_.RunOnePass();
    ASSERT_TRUE(pad_->IsCommandChannelOpen());
    EXPECT_EQ(pad_->Identity().path, test::kEmulatedPadCommand);
    EXPECT_TRUE(pad_->EventReaderRunning());
    EXPECT_FALSE(pad_->LightThreadRunning());
    ReadConfigurationAndSendAFrame();
    ASSERT_TRUE(pad_->LastDeviceInfo());
    EXPECT_TRUE(pad_->LightThreadRunning());
    EXPECT_EQ(device.FrameCount(), 1u);
    LightSettings light = pad_->CurrentLight();
    light.mode = 4;
    ASSERT_EQ(pad_->ChangeLight(light), LightChange::kDone);

    device.Unplug();
    monitor_.RunOnePass();
    EXPECT_FALSE(pad_->IsCommandChannelOpen());
    EXPECT_FALSE(pad_->EventReaderRunning());

    device.Plug();
    monitor_.RunOnePass();
    ASSERT_EQ(registry_.ModelsOfKind(kKindMousePad), std::vector<CTalvorenUSBDevice*>{pad_});
    EXPECT_TRUE(pad_->IsCommandChannelOpen());
    EXPECT_EQ(pad_->Identity().path, test::kEmulatedPadCommand);
    EXPECT_TRUE(pad_->EventReaderRunning());
    const uint64_t reportsBefore = device.ReportCount();
    const uint64_t framesBefore = device.FrameCount();
    ReadConfigurationAndSendAFrame();
    // Begin, information record, end: the configuration was read from the pad again; then a frame.
    EXPECT_EQ(device.ReportCount(), reportsBefore + 3 + 1);
    EXPECT_EQ(device.FrameCount(), framesBefore + 1);
    EXPECT_EQ(pad_->CurrentLight(), light);
}

}  // namespace
}  // namespace morvek
