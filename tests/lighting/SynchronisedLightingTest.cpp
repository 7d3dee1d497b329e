// Same light for all devices: the common effect's steps, applying one device's light to every
// open device in its own mode numbering, the synchronised flag's rules, and the thread's
// painting at the speed level's interval.

#include "devices/lighting/SynchronisedLighting.h"

#include <gtest/gtest.h>

#include "devicelink/LightTables.h"
#include "devices/ILighting.h"
#include "pad/MousePadDeviceSupport.h"

namespace morvek {
namespace {

using std::chrono::milliseconds;

LightSettings Light(uint8_t mode, uint8_t speed = 4) {
    LightSettings light;
    light.mode = mode;
    light.brightnessLevel = 2;  // 135
    light.speedLevel = speed;
    light.direction = 1;
    light.colour = {200, 100, 50};
    return light;
}

TEST(SynchronisedLightEffectTest, EachTypeGivesItsColourAndBrightness) {
    uint32_t now = 1000;
    SynchronisedLightEffect effect([&now] { return now; });
    const LightSettings light = Light(0, 4);

    effect.Start(CommonLightType::Static, light);
    EXPECT_EQ(effect.Step(), (LedEntry{{200, 100, 50}, 135}));
    effect.Start(CommonLightType::Off, light);
    EXPECT_EQ(effect.Step(), LedEntry{});
    effect.Start(CommonLightType::ColourCycle, light);
    EXPECT_EQ(effect.Step(), (LedEntry{ColourWheel()[1], 135}));
    effect.Start(CommonLightType::Breathing, light);
    EXPECT_EQ(effect.Step(), (LedEntry{{200, 100, 50}, uint8_t(135 * BreathingCurve()[1] / 256)}));

    // Flash at speed level 4: a toggle every 7 x 200 ms, the wheel phase 14 further each time.
    LightSettings random = light;
    random.randomColour = 1;
    effect.Start(CommonLightType::Flashing, random);
    EXPECT_EQ(effect.Step(), LedEntry{});
    now += 1399;
    EXPECT_EQ(effect.Step(), LedEntry{});
    now += 1;
    EXPECT_EQ(effect.Step(), (LedEntry{ColourWheel()[14], 135}));
    EXPECT_EQ(effect.StepInterval(), 7u);
}

// A keyboard-numbered device whose light changes are only recorded.
class RecordingLight : public CTalvorenUSBDevice, public ILighting {
public:
    using CTalvorenUSBDevice::CTalvorenUSBDevice;

    LightSettings CurrentLight() const override { return light; }
    std::vector<LightEffectName> LightModeNames() const override { return {}; }
    LightModeFamily ModeFamily() const override { return LightModeFamily::Keyboard; }
    bool OffersLightMode(uint8_t) const override { return true; }

    LightSettings light;

protected:
    CTalvorenUSBDevice& LightModel() override { return *this; }
    bool StoreLight(const LightSettings& stored) override {
        light = stored;
        return true;
    }
};

class SynchronisedLightingTest : public ::testing::Test {
protected:
    SynchronisedLightingTest() {
        test::ConfigurePad(pad_, folder_);
        EXPECT_TRUE(pad_.CommandChannel().Open(test::kEmulatedPadCommand));
        pad_.LoadProfile();
        keyboard_.SetLightCount(126);
        keyboard_.light = Light(30);
        EXPECT_TRUE(keyboard_.CommandChannel().Open(kKeyboardCommand));
    }

    static constexpr const char* kKeyboardCommand = "emu:keyboard&vid_0c45&pid_764e&mi_01&col04";
    test::TempFolder folder_;
    emulator::EmulatorBackend emulator_;
    emulator::EmulatedDevice& padDevice_ = emulator_.Attach(emulator::EmulatedKind::MousePad);
    emulator::EmulatedDevice& keyboardDevice_ = emulator_.Attach(emulator::EmulatedKind::Keyboard);
    InlineUiDispatcher ui_;
    CTalvorenMousePadDevice pad_{emulator_, ui_, TaskQueueMode::Inline};
    RecordingLight keyboard_{emulator_, ui_, TaskQueueMode::Inline};
    CTalvorenUSBDevice* const models_[2] = {&keyboard_, &pad_};
    SynchronisedLighting sync_{[this] { return std::vector<CTalvorenUSBDevice*>{&pad_, &keyboard_}; }};
};

TEST_F(SynchronisedLightingTest, EveryOpenDeviceTakesTheCommonTypeInItsOwnNumbering) {
    struct Case {
        bool fromPad;
        uint8_t sourceMode, padMode, keyboardMode;
    };
    const Case cases[] = {
        {true, 2, 2, 8},     // breathing
        {true, 1, 1, 2},     // colour cycle
        {false, 24, 8, 24},  // off: every mouse-numbered device gets mode 8
        {false, 19, 4, 19},  // flash
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.sourceMode));
        const LightSettings source = Light(c.sourceMode, 1);
        if (c.fromPad) {
            ASSERT_EQ(pad_.ChangeLight(source), LightChange::kDone);
        } else {
            keyboard_.light = source;
        }
        const auto outcome = sync_.Apply(c.fromPad ? static_cast<CTalvorenUSBDevice&>(pad_) : keyboard_, models_);
        ASSERT_TRUE(outcome.type);
        EXPECT_EQ(outcome.changed, 2u);
        EXPECT_EQ(outcome.notSaved, 0u);

        LightSettings expectedPad = source;
        expectedPad.mode = c.padMode;
        EXPECT_EQ(pad_.CurrentLight(), expectedPad);
        EXPECT_EQ(padDevice_.Params()[1], c.padMode);  // written to the pad
        EXPECT_EQ(keyboard_.light.mode, c.keyboardMode);
        EXPECT_EQ(keyboard_.light.colour, source.colour);
        EXPECT_TRUE(pad_.CommandChannel().IsSynchronised());
        EXPECT_TRUE(keyboard_.CommandChannel().IsSynchronised());
    }
}

TEST_F(SynchronisedLightingTest, AModeWithoutACommonTypeAndClosedDevicesAreLeftAlone) {
    keyboard_.light = Light(5);  // no common type
    const LightSettings padBefore = pad_.CurrentLight();
    EXPECT_FALSE(sync_.Apply(keyboard_, models_).type);
    EXPECT_EQ(pad_.CurrentLight(), padBefore);
    EXPECT_FALSE(pad_.CommandChannel().IsSynchronised());

    keyboard_.light = Light(6);  // static
    pad_.CommandChannel().Close();
    const auto outcome = sync_.Apply(keyboard_, models_);
    EXPECT_EQ(outcome.changed, 1u);
    EXPECT_EQ(pad_.CurrentLight(), padBefore);
    EXPECT_FALSE(pad_.CommandChannel().IsSynchronised());
}

TEST_F(SynchronisedLightingTest, TheFlagEndsWithAModeChoiceAProfileReadOrOneShownDevice) {
    keyboard_.light = Light(8);
    auto synchronise = [&] { ASSERT_TRUE(sync_.Apply(keyboard_, models_).type); };

    synchronise();
    ASSERT_EQ(pad_.ChangeLight(Light(3)), LightChange::kDone);
    EXPECT_FALSE(pad_.CommandChannel().IsSynchronised());
    EXPECT_TRUE(keyboard_.CommandChannel().IsSynchronised());

    synchronise();
    pad_.ReadDeviceProfile();
    EXPECT_FALSE(pad_.CommandChannel().IsSynchronised());

    synchronise();
    CTalvorenUSBDevice* models[] = {&pad_, &keyboard_};
    SynchronisedLighting::SetShownDeviceCount(2, models);
    EXPECT_TRUE(pad_.CommandChannel().IsSynchronised());
    SynchronisedLighting::SetShownDeviceCount(1, models);
    EXPECT_FALSE(pad_.CommandChannel().IsSynchronised());
    EXPECT_FALSE(keyboard_.CommandChannel().IsSynchronised());
}

TEST_F(SynchronisedLightingTest, TheThreadPaintsSynchronisedDevicesAtTheSpeedInterval) {
    keyboard_.light = Light(6, 0);  // static, a step every 28 passes
    ASSERT_TRUE(sync_.Apply(keyboard_, models_).type);
    keyboard_.CommandChannel().SetSynchronised(false);
    pad_.SetLedColour(0, 0);

    EXPECT_EQ(sync_.Pass(5000), milliseconds(28));
    EXPECT_EQ(sync_.Pass(5027), milliseconds(1));
    EXPECT_EQ(pad_.GetLedColour(0), 0u);
    EXPECT_EQ(sync_.Pass(5028), milliseconds(28));
    const LedEntry lit{{200, 100, 50}, 135};
    for (int led = 0; led < pad_.LightCount(); ++led) EXPECT_EQ(pad_.GetLedColour(led), lit.Packed());
    EXPECT_EQ(keyboard_.GetLedColour(0), 0u);  // no longer synchronised

    pad_.CommandChannel().SetSynchronised(false);
    EXPECT_EQ(sync_.Pass(6000), SynchronisedLighting::kIdleWait);
}

}  // namespace
}  // namespace morvek
