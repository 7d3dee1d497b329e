// The custom light mode's colour table and its write to the emulated keyboard.

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "devices/keyboard/CustomLightTable.h"
#include "macros/EmulatedChannel.h"

namespace morvek {
namespace {

std::vector<uint8_t> IdentityLedMap() {
    std::vector<uint8_t> map(kCustomLightKeyCount);
    std::iota(map.begin(), map.end(), uint8_t{0});
    return map;
}

TEST(CustomLightTableTest, ColoursAreScaledByBrightnessAtTheKeysLedPosition) {
    std::vector<LedEntry> leds(kCustomLightKeyCount);
    leds[3] = {{200, 100, 50}, 128};
    leds[4] = {{255, 255, 255}, 255};
    leds[5] = {{90, 90, 90}, 255};  // no LED position
    std::vector<uint8_t> map = IdentityLedMap();
    map[3] = 10;
    map[4] = 125;
    map[5] = 255;
    map[10] = 126;  // the keys whose own positions are taken have none
    map[125] = 126;

    const LedColourTable table = BuildLedColourTable(leds, map);
    LedColourTable expected{};
    expected[30] = 100;
    expected[31] = 50;
    expected[32] = 25;
    expected[375] = expected[376] = expected[377] = 254;
    EXPECT_EQ(table, expected);
}

TEST(CustomLightTableTest, ShortBufferOrMapWritesOnlyTheKeysBoth) {
    const std::vector<LedEntry> leds(3, LedEntry{{4, 4, 4}, 255});
    const LedColourTable table = BuildLedColourTable(leds, IdentityLedMap());
    EXPECT_EQ(std::count(table.begin(), table.end(), 3), 9);
    EXPECT_EQ(BuildLedColourTable(std::vector<LedEntry>(126, LedEntry{{4, 4, 4}, 255}), {}), LedColourTable{});
}

TEST(CustomLightTableTest, WriteReachesTheKeyboardsLightTable) {
    test::EmulatedChannel emulated(emulator::EmulatedKind::Keyboard);
    LedColourTable table{};
    for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i);
    ASSERT_EQ(WriteLedColourTable(emulated.Channel(), table), kResultSuccess);
    EXPECT_EQ(emulated.Device().LightTable(), std::vector<uint8_t>(table.begin(), table.end()));

    emulated.Device().SetFaults({.forcedStatus = 0xFE});
    EXPECT_EQ(WriteLedColourTable(emulated.Channel(), table), kResultStatusFE);
    emulated.Channel().Close();
    EXPECT_EQ(WriteLedColourTable(emulated.Channel(), table), kResultNoAnswer);
}

}  // namespace
}  // namespace morvek
