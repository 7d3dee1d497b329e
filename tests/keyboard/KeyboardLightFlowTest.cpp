// A light change as the panel or the command line makes it: stored in the profile file and
// written to the emulated keyboard; and the keyboard's own block read back into the profile.

#include <gtest/gtest.h>

#include "devices/keyboard/KeyboardSettingsBlock.h"
#include "devices/lighting/KeyboardLightEdits.h"
#include "devices/lighting/KeyboardLightSettings.h"
#include "macros/EmulatedChannel.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

class KeyboardLightFlowTest : public ::testing::Test {
protected:
    KeyboardLightFlowTest() { profile_.SetDocumentPath(folder_ / "profile.config"); }

    // Takes the settings from the profile, writes block 0 as the keyboard model does.
    int WriteFromProfile() {
        const LightSettings light = LightSettingsFromWords(profile_.ReadLightInfo());
        const auto system = KeyboardSystemSettings::FromWords(profile_.ReadKeyboardSystem());
        return WriteKeyboardSettings(emulated_.Channel(), BuildKeyboardSettingsBlock(light, system, 0), 0);
    }

    std::vector<uint8_t> DeviceBlock(size_t offset) {
        const std::vector<uint8_t> params = emulated_.Device().Params();
        return {params.begin() + long(offset), params.begin() + long(offset + kKeyboardSettingsBlockSize)};
    }

    test::TempFolder folder_;
    test::EmulatedChannel emulated_{emulator::EmulatedKind::Keyboard};
    CKeyboardProfiledata profile_;
};

TEST_F(KeyboardLightFlowTest, PanelChangeIsSavedAndWritten) {
    LightSettings light = LightSettingsFromWords(profile_.ReadLightInfo());
    ASSERT_TRUE(EditLight(light, LightEdit::Mode, 8));
    ASSERT_TRUE(EditLight(light, LightEdit::Speed, 1));
    EditLightColour(light, ColourOfPanelValue(0xFFFF0000u));
    profile_.WriteLightInfo(LightInfoWordsFromSettings(light));
    KeyboardSystemSettings system;
    ASSERT_TRUE(SetKeyboardSystemField(system, KeyboardSystemField::WinLock, 1));
    profile_.WriteKeyboardSystem(system.Words());
    ASSERT_TRUE(profile_.Save());
    ASSERT_EQ(WriteFromProfile(), kResultSuccess);

    std::vector<uint8_t> expected(kKeyboardSettingsBlockSize, 0);
    expected[1] = 8;
    expected[3] = 3;
    expected[6] = 255;
    expected[21] = 1;
    EXPECT_EQ(DeviceBlock(0), expected);

    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(folder_ / "profile.config");
    EXPECT_EQ(LightSettingsFromWords(reopened.ReadLightInfo()), light);
    EXPECT_EQ(KeyboardSystemSettings::FromWords(reopened.ReadKeyboardSystem()), system);
}

TEST_F(KeyboardLightFlowTest, KeyboardsOwnBlockComesBackIntoTheProfile) {
    // The keyboard switched to its block 1 (factory: mode 1, speed byte 2, colour cycle, red).
    const uint8_t inUse = 1;
    ASSERT_EQ(emulated_.Channel().WriteParams(&inUse, 1, 0), kResultSuccess);
    LightSettings light = LightSettingsFromWords(profile_.ReadLightInfo());
    light.mode = 38;
    SetCustomLightGroupOf(light, 2);
    auto system = KeyboardSystemSettings::FromWords(profile_.ReadKeyboardSystem());
    system.pollingRate = 3;

    KeyboardSettingsBlock block{};
    ASSERT_EQ(ReadKeyboardSettings(emulated_.Channel(), block), kResultSuccess);
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.end()), DeviceBlock(25));
    EXPECT_TRUE(ApplyKeyboardSettingsBlock(block, light, system));
    EXPECT_EQ(light.mode, block[1]);
    EXPECT_EQ(light.speedLevel, SpeedLevelOfByte(block[3]));
    EXPECT_EQ(CustomLightGroupOf(light), 2);
    EXPECT_EQ(system.pollingRate, 3);

    profile_.WriteLightInfo(LightInfoWordsFromSettings(light));
    profile_.WriteKeyboardSystem(system.Words());
    ASSERT_TRUE(profile_.Save());
    CKeyboardProfiledata reopened;
    reopened.LoadDeviceSection(folder_ / "profile.config");
    EXPECT_EQ(LightSettingsFromWords(reopened.ReadLightInfo()), light);
}

}  // namespace
}  // namespace morvek
