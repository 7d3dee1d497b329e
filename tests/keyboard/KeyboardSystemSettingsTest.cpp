// Keyboard system settings: the model's words, panel changes and what the panel shows.

#include <gtest/gtest.h>

#include "devices/keyboard/KeyboardSystemSettings.h"

namespace morvek {
namespace {

TEST(KeyboardSystemSettingsTest, WordsPutTheFirstOfEachPairInTheLowHalf) {
    const KeyboardSystemSettings settings{30, 2, 1, 3, 0, 1};
    const KeyboardSystemWords words = settings.Words();
    EXPECT_EQ(words, (KeyboardSystemWords{2u << 16 | 30u, 3u << 16 | 1u, 1u << 16}));
    EXPECT_EQ(KeyboardSystemSettings::FromWords(words), settings);
}

TEST(KeyboardSystemSettingsTest, WordsRoundTripThroughTheProfileDocument) {
    CKeyboardProfiledata profile;
    const KeyboardSystemSettings settings{500, 3, 1, 2, 1, 0};
    profile.WriteKeyboardSystem(settings.Words());
    EXPECT_EQ(KeyboardSystemSettings::FromWords(profile.ReadKeyboardSystem()), settings);
}

TEST(KeyboardSystemSettingsTest, PanelChangesStoreValidValuesOnly) {
    using F = KeyboardSystemField;
    struct Case {
        F field;
        int value;
        bool stored;
        KeyboardSystemSettings after;
    };
    const Case cases[] = {
        {F::RepeatRate, 40, true, {40, 0, 0, 0, 0, 0}},
        {F::RepeatRate, 70000, false, {}},
        {F::RepeatRate, -1, false, {}},
        {F::RepeatDelay, 3, true, {0, 3, 0, 0, 0, 0}},
        {F::RepeatDelay, 4, false, {}},
        {F::PollingRate, 2, true, {0, 0, 0, 2, 0, 0}},
        {F::PollingRate, -1, false, {}},
        {F::Key6Flag, 5, true, {0, 0, 1, 0, 0, 0}},
        {F::WFlag, 1, true, {0, 0, 0, 0, 1, 0}},
        {F::WinLock, 1, true, {0, 0, 0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        KeyboardSystemSettings settings;
        EXPECT_EQ(SetKeyboardSystemField(settings, c.field, c.value), c.stored) << c.value;
        EXPECT_EQ(settings, c.after) << c.value;
    }
    KeyboardSystemSettings flags{0, 0, 1, 0, 1, 1};
    SetKeyboardSystemField(flags, F::WinLock, 0);
    EXPECT_EQ(flags.winLock, 0);
}

TEST(KeyboardSystemSettingsTest, OnlyFlagsAndPollingRateTravelToTheKeyboard) {
    EXPECT_FALSE(IsWrittenToKeyboard(KeyboardSystemField::RepeatRate));
    EXPECT_FALSE(IsWrittenToKeyboard(KeyboardSystemField::RepeatDelay));
    for (auto field : {KeyboardSystemField::Key6Flag, KeyboardSystemField::PollingRate, KeyboardSystemField::WFlag,
                       KeyboardSystemField::WinLock}) {
        EXPECT_TRUE(IsWrittenToKeyboard(field));
    }
}

TEST(KeyboardSystemSettingsTest, ShownOptionsAndRepeatDelayLabel) {
    EXPECT_EQ(ShownSystemOption(3), 3);
    EXPECT_EQ(ShownSystemOption(7), 0);
    EXPECT_EQ(ShownSystemOption(-2), 0);
    EXPECT_EQ(RepeatDelayLabel("Delay: ", 2), "Delay: 750ms");
    EXPECT_EQ(RepeatDelayLabel("Delay: ", 0), "Delay: 250ms");
    EXPECT_EQ(RepeatDelayLabel("", 9), "250ms");
}

}  // namespace
}  // namespace morvek
