// The mouse pad model on an emulated pad: configuration read, light changes stored, saved and
// written with the pad's own direction, the block in use read back, frames and the light thread.

#include <gtest/gtest.h>

#include <thread>

#include "devicelink/DeviceModelView.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "pad/MousePadDeviceSupport.h"
#include "profiles/BasicProfiledata.h"

namespace morvek {
namespace {

using std::chrono::milliseconds;

class RecordingTabsView : public IDeviceView {
public:
    void ShowFunctionTabs(const FunctionTabs& tabs) override { shown.push_back(tabs); }
    std::vector<FunctionTabs> shown;
};

// Waits (at most 10 s) until condition holds; false when it never did.
template <class Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(milliseconds(2));
    }
    return true;
}

class MousePadDeviceTest : public ::testing::Test {
protected:
    MousePadDeviceTest() { test::ConfigurePad(pad_, folder_); }

    bool Plug() { return pad_.CommandChannel().Open(test::kEmulatedPadCommand); }

    std::vector<uint8_t> DeviceBlock(size_t block) const {
        const std::vector<uint8_t> params = device_.Params();
        const auto at = params.begin() + static_cast<std::ptrdiff_t>(block * 64);
        return {at, at + MousePadSettingsBlock::kSize};
    }

    LightSettings SavedLight() const {
        CBasicProfiledata saved;
        saved.LoadDeviceSection(test::PadProfilePath(folder_));
        return LightSettingsFromWords(saved.ReadLightInfo());
    }

    test::TempFolder folder_;
    emulator::EmulatorBackend emulator_;
    emulator::EmulatedDevice& device_ = emulator_.Attach(emulator::EmulatedKind::MousePad);
    InlineUiDispatcher ui_;
    CTalvorenMousePadDevice pad_{emulator_, ui_, TaskQueueMode::Inline};
};

TEST_F(MousePadDeviceTest, ConfigurationReadLoadsTheProfileAndStartsTheLights) {
    ASSERT_TRUE(Plug());
    pad_.ReadDeviceConfig();

    ASSERT_TRUE(pad_.LastDeviceInfo());
    EXPECT_EQ(pad_.LastDeviceInfo()->bytes[0], kKindMousePad);
    EXPECT_FALSE(device_.ConfigOpen());
    // A new profile gets the template's section, written to its file.
    EXPECT_TRUE(std::filesystem::exists(test::PadProfilePath(folder_)));
    const LightSettings light = pad_.CurrentLight();
    EXPECT_EQ(light, SavedLight());
    EXPECT_EQ(light.mode, 0);
    EXPECT_EQ(light.brightnessLevel, 4);
    EXPECT_EQ(light.colour, (LedColour{0, 160, 255}));
    EXPECT_FALSE(pad_.LightModeNames().empty());
    EXPECT_TRUE(pad_.LightThreadRunning());

    // The wave lights the pad; a frame carries 15 LEDs of 3 bytes.
    ASSERT_TRUE(Eventually([&] {
        for (const LedEntry& led : pad_.LedsSnapshot())
            if (led.brightness != 0) return true;
        return false;
    }));
    pad_.SendLedFrame();
    EXPECT_EQ(device_.FrameCount(), 1u);
    EXPECT_EQ(device_.LastFrame().size(), 45u);
}

TEST_F(MousePadDeviceTest, LightChangeIsSavedAndWrittenWithThePadsOwnDirection) {
    ASSERT_TRUE(Plug());
    pad_.ReadDeviceConfig();
    const uint8_t direction = 1;
    ASSERT_EQ(pad_.CommandChannel().WriteParams(&direction, 1, 4), kResultSuccess);
    pad_.ReadDeviceProfile();
    ASSERT_EQ(pad_.SettingsBlock().Direction(), 1);

    struct Case {
        uint8_t mode, speed, writtenMode, writtenSpeed;
    };
    const Case cases[] = {
        {4, 1, 4, 3},    // speed level 1 goes out as 3
        {12, 4, 0, 0},   // a mode past the pad's list goes out as 0
        {8, 0, 8, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        LightSettings light = pad_.CurrentLight();
        light.mode = c.mode;
        light.speedLevel = c.speed;
        light.direction = 0;
        light.randomColour = 0;
        light.colour = {10, 20, 30};
        ASSERT_EQ(pad_.ChangeLight(light), LightChange::kDone);

        EXPECT_EQ(SavedLight(), light);
        EXPECT_EQ(pad_.CurrentLight(), light);
        const std::vector<uint8_t> written = DeviceBlock(0);
        EXPECT_EQ(written[1], c.writtenMode);
        EXPECT_EQ(written[3], c.writtenSpeed);
        EXPECT_EQ(written[4], 1);  // the pad's direction, not the panel's
        EXPECT_EQ(written[5], 0);
        EXPECT_EQ((std::vector<uint8_t>(written.begin() + 6, written.begin() + 9)), (std::vector<uint8_t>{10, 20, 30}));
        EXPECT_EQ(pad_.SettingsBlock().Held()[3], c.speed);  // the model keeps the level
        EXPECT_EQ(pad_.SettingsBlock().Held()[1], c.mode);
    }
    EXPECT_FALSE(device_.ConfigOpen());
}

TEST_F(MousePadDeviceTest, ProfileReadTakesTheBlockInUseAndEndsSynchronisedLighting) {
    ASSERT_TRUE(Plug());
    const uint8_t inUse = 2;
    ASSERT_EQ(pad_.CommandChannel().WriteParams(&inUse, 1, 0), kResultSuccess);
    pad_.CommandChannel().SetSynchronised(true);

    pad_.ReadDeviceProfile();

    EXPECT_FALSE(pad_.CommandChannel().IsSynchronised());
    const MousePadSettingsBlock block = pad_.SettingsBlock();
    EXPECT_EQ(block.BlockInUse(), 2);
    std::vector<uint8_t> expected = DeviceBlock(2);
    expected[0] = 2;
    expected[3] = SpeedLevelOfByte(expected[3]);
    EXPECT_EQ(std::vector<uint8_t>(block.Held().begin(), block.Held().end()), expected);
}

TEST_F(MousePadDeviceTest, WritesTheChosenBlockAndReportsAClosedChannel) {
    pad_.LoadProfile();
    EXPECT_EQ(pad_.WriteSettings(1, 0, 1, 0, 0), kResultNoAnswer);
    const std::vector<uint8_t> before = device_.Params();

    LightSettings light = pad_.CurrentLight();
    light.mode = 3;
    EXPECT_EQ(pad_.ChangeLight(light), LightChange::kDone);  // stored and saved, not written
    EXPECT_EQ(SavedLight().mode, 3);
    EXPECT_EQ(device_.Params(), before);

    ASSERT_TRUE(Plug());
    EXPECT_EQ(pad_.WriteSettings(2, 0, 1, 0, 0), kResultSuccess);
    EXPECT_EQ(DeviceBlock(2)[1], 3);
    EXPECT_EQ(DeviceBlock(0), std::vector<uint8_t>(before.begin(), before.begin() + 21));
}

TEST_F(MousePadDeviceTest, RestoreDefaultsReplacesTheProfileWithTheTemplate) {
    pad_.LoadProfile();
    const LightSettings original = pad_.CurrentLight();
    LightSettings light = original;
    light.mode = 7;
    light.colour = {1, 2, 3};
    ASSERT_EQ(pad_.ChangeLight(light), LightChange::kDone);
    ASSERT_EQ(SavedLight(), light);

    pad_.RestoreDefaults();
    EXPECT_EQ(pad_.CurrentLight(), original);
    EXPECT_EQ(SavedLight(), original);
}

TEST_F(MousePadDeviceTest, FunctionTypeFourShowsTheLightTabsOfAPad) {
    RecordingTabsView view;
    pad_.SetView(&view);
    CTalvorenUSBDevice keyboard(emulator_, ui_, TaskQueueMode::Inline);
    keyboard.SetDeviceClassNumber(kClassKeyboard);
    keyboard.SetView(&view);

    pad_.SetFunctionType(4);
    keyboard.SetFunctionType(4);

    ASSERT_EQ(view.shown.size(), 2u);
    EXPECT_EQ(view.shown[0], (FunctionTabs{0, 2}));
    EXPECT_EQ(view.shown[1], (FunctionTabs{3, std::nullopt}));
    EXPECT_EQ(pad_.GetFunctionType(), 4);
    pad_.SetView(nullptr);
    keyboard.SetView(nullptr);
}

TEST_F(MousePadDeviceTest, LightThreadPaintsTheModeAndPausesWhileSynchronised) {
    ASSERT_TRUE(Plug());
    pad_.ReadDeviceConfig();
    LightSettings light = pad_.CurrentLight();
    light.mode = 3;  // static
    light.brightnessLevel = 4;
    light.colour = {200, 100, 50};
    ASSERT_EQ(pad_.ChangeLight(light), LightChange::kDone);
    const LedEntry lit{{200, 100, 50}, 255};
    auto allAre = [&](const LedEntry& wanted) {
        for (const LedEntry& led : pad_.LedsSnapshot())
            if (led != wanted) return false;
        return true;
    };
    ASSERT_TRUE(Eventually([&] { return allAre(lit); }));

    // While synchronised another thread paints the LEDs; the pad's thread leaves them alone.
    pad_.CommandChannel().SetSynchronised(true);
    const LedEntry painted{{1, 2, 3}, 40};
    for (int i = 0; i < 15; ++i) pad_.SetLedColour(i, painted.Packed());
    std::this_thread::sleep_for(milliseconds(60));
    EXPECT_TRUE(allAre(painted));

    pad_.CommandChannel().SetSynchronised(false);
    EXPECT_TRUE(Eventually([&] { return allAre(lit); }));
}

}  // namespace
}  // namespace morvek
