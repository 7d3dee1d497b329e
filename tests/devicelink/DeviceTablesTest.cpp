#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "devicelink/DevicePath.h"
#include "devicelink/DeviceTables.h"

namespace morvek {
namespace {

struct PathCase {
    const char* path;
    const char* marker;
    uint16_t expected;
};

TEST(ParsePathNumberTest, FindsMarkersRegardlessOfCase) {
    const PathCase cases[] = {
        {"\\\\?\\HID#VID_0C45&PID_764E&MI_01&COL04#7&1f2e&0&0003#{4d1e55b2}", "vid_", 0x0C45},
        {"\\\\?\\HID#VID_0C45&PID_764E&MI_01&COL04#7&1f2e&0&0003#{4d1e55b2}", "pid_", 0x764E},
        {"\\\\?\\HID#VID_0C45&PID_764E&MI_01&COL04#7&1f2e&0&0003#{4d1e55b2}", "&mi_", 1},
        {"\\\\?\\HID#VID_0C45&PID_764E&MI_01&COL04#7&1f2e&0&0003#{4d1e55b2}", "&col", 4},
        {"/dev/hidraw3&vid_0c45&pid_764e&mi_01&col03", "&col", 3},
        {"/dev/hidraw3&vid_0000&pid_0000&mi_03", "&col", 0},  // no collection marker
        {"/dev/hidraw3&vid_0000&pid_0000&mi_03", "&mi_", 3},
        {"/dev/hidraw3&vid_0000&pid_0000", "&mi_", 0},
        {"x&col1f", "&col", 0x1F},                              // hexadecimal
        {"x&colzz", "&col", 0},                                 // no digits after the marker
        {"vid_12345", "vid_", 0x2345},                          // kept to 16 bits
        {"", "vid_", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsePathNumber(c.path, c.marker), c.expected) << c.path << " " << c.marker;
    }
}

TEST(PathWithCollectionTest, NamesAnotherCollectionOfTheSameInterface) {
    struct Case {
        const char* path;
        uint16_t collection;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"/dev/hidraw3&vid_0000&pid_0000&mi_01&col03", 4, "/dev/hidraw3&vid_0000&pid_0000&mi_01&col04"},
        {"emu:pad&vid_0000&pid_0000&mi_01&col04", 4, "emu:pad&vid_0000&pid_0000&mi_01&col04"},
        {"x&col0f#rest", 0x1A, "x&col1a#rest"},
        {"\\\\?\\HID#VID_0000&PID_0000&MI_01&COL03#7&1f2e", 4, "\\\\?\\HID#VID_0000&PID_0000&MI_01&COL04#7&1f2e"},
        {"x&col1", 0x123, "x&col123"},  // at least two digits, more when the number needs them
        {"/dev/hidraw5&vid_0000&pid_0000&mi_03", 0, "/dev/hidraw5&vid_0000&pid_0000&mi_03"},
        {"/dev/hidraw5&vid_0000&pid_0000&mi_03", 4, std::nullopt},  // no collection marker to change
    };
    for (const Case& c : cases) EXPECT_EQ(PathWithCollection(c.path, c.collection), c.expected) << c.path;
}

TEST(DeviceTablesTest, MatchRowsAreFoundByIdentityKindAndRole) {
    EXPECT_EQ(FindMatchRow(0x0C45, 0x764E, kKindKeyboard, kRoleCommand), 0);
    EXPECT_EQ(FindMatchRow(0x0C45, 0x764E, kKindKeyboard, kRoleEvent), 1);
    EXPECT_EQ(FindMatchRow(0, 0, kKindMousePad, kRoleEvent), 5);
    EXPECT_EQ(FindMatchRow(0, 0, kKindHeadset, kRoleCommand), 6);
    EXPECT_EQ(FindMatchRow(0x0C45, 0x764E, kKindMouse, kRoleCommand), -1);
    EXPECT_EQ(FindMatchRow(0, 0, kKindHeadset, kRoleEvent), -1);
}

TEST(DeviceTablesTest, PageTemplatesTreatTheWirelessMouseAsAMouse) {
    const auto templates = DevicePageTemplates();
    const int mouse = FindPageTemplate(0, 0, kKindMouse, kRoleCommand);
    ASSERT_GE(mouse, 0);
    EXPECT_EQ(FindPageTemplate(0, 0, kKindWirelessMouse, kRoleCommand), mouse);
    EXPECT_STREQ(templates[static_cast<size_t>(mouse)].kindName, "mouse");
    const int keyboard = FindPageTemplate(0x0C45, 0x764E, kKindKeyboard, kRoleCommand);
    ASSERT_GE(keyboard, 0);
    EXPECT_EQ(templates[static_cast<size_t>(keyboard)].classNumber, kClassKeyboard);
    EXPECT_EQ(templates[static_cast<size_t>(keyboard)].lightPointCount, 126);
    EXPECT_EQ(FindPageTemplate(0, 0, kKindKeyboard, kRoleCommand), -1);
    EXPECT_EQ(FindPageTemplate(0, 0, kKindMouse, kRoleEvent), -1);
}

TEST(DeviceTablesTest, UpdateIdentityCodesAreShortUpperCaseCodes) {
    const auto rows = UpdateIdentities();
    EXPECT_EQ(rows[3].productCode, "ALL");
    for (const auto& row : rows) {
        for (const std::string& code : {row.projectCode, row.productCode, row.modelCode}) {
            EXPECT_GE(code.size(), 3u) << code;
            EXPECT_LE(code.size(), 11u) << code;
            for (char c : code) EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_') << code;
        }
        EXPECT_EQ(row.version, 0);
    }
}

}  // namespace
}  // namespace morvek
