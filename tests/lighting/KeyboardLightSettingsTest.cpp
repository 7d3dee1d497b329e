// Light settings and the profile's "LightInfo" words.

#include <gtest/gtest.h>

#include "devices/lighting/KeyboardLightSettings.h"

namespace morvek {
namespace {

TEST(KeyboardLightSettingsTest, SettingsRoundTripThroughTheProfileDocument) {
    LightSettings light;
    light.mode = 38;
    light.brightnessLevel = 2;
    light.speedLevel = 4;
    light.direction = 1;
    light.randomColour = 1;
    light.colour = {10, 20, 30};
    SetCustomLightGroupOf(light, 3);

    const LightInfoWords words = LightInfoWordsFromSettings(light);
    EXPECT_EQ(words[0], 38u | 2u << 8 | 4u << 16 | 1u << 24);
    EXPECT_EQ(words[1], 1u | 10u << 8 | 20u << 16 | 30u << 24);
    EXPECT_EQ(words[2], 3u << 24);

    CBasicProfiledata profile;
    profile.WriteLightInfo(words);
    const LightSettings back = LightSettingsFromWords(profile.ReadLightInfo());
    EXPECT_EQ(back, light);
    EXPECT_EQ(CustomLightGroupOf(back), 3);
}

TEST(KeyboardLightSettingsTest, SpeedByteIsFourMinusTheLevel) {
    for (uint8_t level = 0; level <= kLightLevelMax; ++level) {
        EXPECT_EQ(SpeedByteOfLevel(level), 4 - level);
        EXPECT_EQ(SpeedLevelOfByte(SpeedByteOfLevel(level)), level);
    }
    EXPECT_EQ(SpeedByteOfLevel(200), 0);
    EXPECT_EQ(SpeedLevelOfByte(200), 0);
}

}  // namespace
}  // namespace morvek
