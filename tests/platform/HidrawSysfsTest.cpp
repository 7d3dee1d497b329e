#include "platform/hid/HidrawSysfs.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/TempDir.h"

namespace morvek::hid {
namespace {

TEST(HidrawSysfsTest, OnlyHidrawNodeNamesAreLookedUp) {
    EXPECT_TRUE(IsHidrawNodeName("hidraw0"));
    EXPECT_TRUE(IsHidrawNodeName("hidraw123"));
    for (const char* name : {"", "hidraw", "hidraw1a", "../hidraw1", "hidraw1/..", "event3", "..", "HIDRAW1"}) {
        EXPECT_FALSE(IsHidrawNodeName(name)) << name;
    }
}

TEST(HidrawSysfsTest, ReadsIdsFromTheHidIdLine) {
    struct Case {
        const char* uevent;
        std::optional<HidDeviceIds> ids;
    };
    const Case cases[] = {
        {"DRIVER=hid-generic\nHID_ID=0003:00000C45:0000764E\nHID_NAME=Keyboard\n", HidDeviceIds{0x0C45, 0x764E}},
        {"HID_ID=0005:0000046d:0000b01a", HidDeviceIds{0x046D, 0xB01A}},
        {"HID_NAME=x\n", std::nullopt},
        {"HID_ID=0003:00000C45\n", std::nullopt},
        {"HID_ID=0003:00010C45:0000764E\n", std::nullopt},  // no USB vendor id is that wide
        {"HID_ID=0003:0000ZZZZ:0000764E\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseHidIdLine(c.uevent), c.ids) << c.uevent;
}

TEST(HidrawSysfsTest, ReadsDescriptorAndIdsOfANode) {
    testing::TempDir root;
    const auto folder = root.Path() / "class/hidraw/hidraw2/device";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "report_descriptor", std::ios::binary) << std::string("\x05\x0C\x09\x01\x00", 5);
    std::ofstream(folder / "uevent") << "HID_ID=0003:00000C45:0000764E\n";

    const HidrawSysfs sysfs(root.Path());
    EXPECT_EQ(sysfs.ReportDescriptor("hidraw2"), (std::vector<uint8_t>{0x05, 0x0C, 0x09, 0x01, 0x00}));
    EXPECT_EQ(sysfs.DeviceIds("hidraw2"), (HidDeviceIds{0x0C45, 0x764E}));
    EXPECT_FALSE(sysfs.ReportDescriptor("hidraw9").has_value());
    EXPECT_FALSE(sysfs.DeviceIds("hidraw9").has_value());
}

}  // namespace
}  // namespace morvek::hid
