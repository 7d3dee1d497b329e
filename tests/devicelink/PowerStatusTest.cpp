// What the power indicator shows for a power status record (CMpDevicePowerUI::ShowPowerStatus).

#include <gtest/gtest.h>

#include <vector>

#include "devicelink/PowerStatus.h"

namespace morvek {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(PowerStatusTest, LevelBarAndTextFollowTheLevel) {
    const PowerIndicatorState s = DecodePowerStatus(Bytes{57, 0, 0, 0, 0, 0}, 1);
    EXPECT_EQ(s.levelBarValue, 43);
    EXPECT_EQ(s.valueText, "57%");
    const PowerIndicatorState full = DecodePowerStatus(Bytes{100, 2, 0, 0, 0, 0}, 1);
    EXPECT_EQ(full.levelBarValue, 0);
    EXPECT_EQ(full.valueText, "100%");
    EXPECT_EQ(DecodePowerStatus(Bytes{0, 0, 0, 0, 0, 0}, 1).valueText, "0%");
}

TEST(PowerStatusTest, ChargingStates) {
    struct Case {
        uint8_t charging;
        uint8_t wireless;
        std::optional<bool> barVisible;
        std::optional<std::string> image;
    };
    const Case cases[] = {
        {0, 0, true, "file='power/powered.png'"},
        {0, 1, true, "file='power/powered.png'"},
        {1, 0, true, "file='power/powering.png'"},
        {1, 1, false, "file='power/wuxian_powering.png'"},
        {2, 0, true, "file='power/power.png'"},
        {2, 1, true, "file='power/power.png'"},
        {3, 0, std::nullopt, std::nullopt},
        {0xFF, 1, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const PowerIndicatorState s = DecodePowerStatus(Bytes{80, c.charging, 0, c.wireless, 0, 0}, 2);
        EXPECT_EQ(s.levelBarVisible, c.barVisible) << int(c.charging) << "/" << int(c.wireless);
        EXPECT_EQ(s.statusImage, c.image) << int(c.charging) << "/" << int(c.wireless);
    }
}

TEST(PowerStatusTest, WirelessLogoOnlyForTheMouseIndicator) {
    EXPECT_EQ(DecodePowerStatus(Bytes{80, 0, 0, 1, 0, 0}, 2).wirelessLogoVisible, true);
    EXPECT_EQ(DecodePowerStatus(Bytes{80, 0, 0, 0, 0, 0}, 2).wirelessLogoVisible, false);
    EXPECT_EQ(DecodePowerStatus(Bytes{80, 0, 0, 1, 0, 0}, 1).wirelessLogoVisible, std::nullopt);
    EXPECT_EQ(DecodePowerStatus(Bytes{80, 0, 0, 1, 0, 0}, 3).wirelessLogoVisible, std::nullopt);
    // A wireless mouse's indicator is a mouse indicator.
    EXPECT_EQ(PowerIndicatorKind(6), 2);
    EXPECT_EQ(PowerIndicatorKind(3), 3);
}

TEST(PowerStatusTest, PhoneImageOnlyForThePadIndicator) {
    struct Case {
        uint8_t phone;
        const char* name;
    };
    const Case cases[] = {{1, "Phone_type_iphone"},
                          {2, "Phone_type_samsung"},
                          {3, "Phone_type_other"},
                          {0, "Phone_type_no_device"},
                          {4, "Phone_type_no_device"},
                          {0xFF, "Phone_type_no_device"}};
    for (const Case& c : cases) {
        const PowerIndicatorState s = DecodePowerStatus(Bytes{100, 2, 0, 0, 0, c.phone}, 3);
        EXPECT_EQ(s.phoneName, c.name);
        EXPECT_EQ(s.phoneImage, std::string("file='power/") + c.name + ".png'");
    }
    const PowerIndicatorState mouse = DecodePowerStatus(Bytes{100, 2, 0, 0, 0, 1}, 2);
    EXPECT_EQ(mouse.phoneName, std::nullopt);
    EXPECT_EQ(mouse.phoneImage, std::nullopt);
}

TEST(PowerStatusTest, AShortRecordReadsZeroForMissingBytes) {
    const PowerIndicatorState s = DecodePowerStatus(Bytes{57}, 3);
    EXPECT_EQ(s.levelBarValue, 43);
    EXPECT_EQ(s.statusImage, "file='power/powered.png'");  // charging byte 0
    EXPECT_EQ(s.phoneName, "Phone_type_no_device");
    EXPECT_EQ(DecodePowerStatus({}, 1).valueText, "0%");
}

}  // namespace
}  // namespace morvek
