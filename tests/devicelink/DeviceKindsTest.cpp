// The device kinds table: each row's facts, its agreement with the page templates and the
// match table, and the look-ups by kind and by word.

#include "devicelink/DeviceKinds.h"

#include <gtest/gtest.h>

#include <set>

namespace morvek {
namespace {

struct KindCase {
    DeviceKind kind;
    const char* word;
    const char* dataFolder;
    DeviceKind listKind;
    bool wireless;
    LightModeFamily family;
    int lastLightMode;
    bool macrosAndKeys;
    uint16_t stride;
    int leds;
    int classNumber;
};

TEST(DeviceKindsTest, EachKindHasItsRow) {
    const KindCase cases[] = {
        {kKindKeyboard, "keyboard", "keyboard", kKindKeyboard, false, LightModeFamily::Keyboard, 39, true, 25, 126,
         kClassKeyboard},
        {kKindMouse, "mouse", "mouse", kKindMouse, false, LightModeFamily::Shared, 255, true, 128, 6, kClassMouse},
        {kKindMousePad, "pad", "MousePad", kKindMousePad, false, LightModeFamily::Shared, 255, false, 64, 15,
         kClassMousePad},
        {kKindWirelessMouse, "mouse", "mouse", kKindMouse, true, LightModeFamily::Shared, 255, true, 128, 6,
         kClassMouse},
        {kKindHeadset, "headset", "HD", kKindHeadset, false, LightModeFamily::Shared, 8, false, 64, 13,
         kClassHeadset},
    };
    ASSERT_EQ(kDeviceKinds.size(), std::size(cases));
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.kind);
        const DeviceKindRow* row = FindDeviceKind(c.kind);
        ASSERT_NE(row, nullptr);
        EXPECT_STREQ(row->word, c.word);
        EXPECT_STREQ(row->dataFolder, c.dataFolder);
        EXPECT_EQ(row->listKind, c.listKind);
        EXPECT_EQ(row->wireless, c.wireless);
        EXPECT_EQ(row->lightFamily, c.family);
        EXPECT_EQ(row->lastLightMode, c.lastLightMode);
        EXPECT_EQ(row->hasMacros, c.macrosAndKeys);
        EXPECT_EQ(row->hasKeyTable, c.macrosAndKeys);
        EXPECT_EQ(row->settingsStride, c.stride);
        EXPECT_EQ(row->LedCount(), c.leds);
        EXPECT_EQ(row->Page().classNumber, c.classNumber);
    }
}

TEST(DeviceKindsTest, RowsAgreeWithThePageTemplatesAndTheMatchTable) {
    std::set<uint16_t> kinds;
    for (const DeviceKindRow& row : kDeviceKinds) {
        SCOPED_TRACE(row.kind);
        EXPECT_TRUE(kinds.insert(row.kind).second) << "a kind has two rows";
        // The row's page is the one the window and the command line find for it.
        const DevicePageTemplate& page = row.Page();
        EXPECT_EQ(page.kind, row.listKind);
        EXPECT_STREQ(page.kindName, row.dataFolder);
        const int found = FindPageTemplate(page.vendorId, page.productId, row.kind, kRoleCommand);
        ASSERT_GE(found, 0);
        EXPECT_EQ(&DevicePageTemplates()[static_cast<size_t>(found)], &page);
        // A list kind is a kind of its own; only a receiver's kind lends another's list.
        const DeviceKindRow* list = FindDeviceKind(row.listKind);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->listKind, row.listKind);
        EXPECT_EQ(row.listKind != row.kind, row.wireless);
        EXPECT_GE(FindMatchRow(page.vendorId, page.productId, row.kind, kRoleCommand), 0);
    }
    // Every command row of the match table has a kind row.
    for (const DeviceEntry& entry : InterfaceMatchTable()) EXPECT_NE(FindDeviceKind(entry.kind), nullptr) << entry.kind;
}

TEST(DeviceKindsTest, LookUpsByKindAndByWord) {
    EXPECT_EQ(FindDeviceKind(0), nullptr);
    EXPECT_EQ(FindDeviceKind(4), nullptr);
    EXPECT_EQ(ListKindOf(kKindWirelessMouse), kKindMouse);
    EXPECT_EQ(ListKindOf(kKindHeadset), kKindHeadset);
    EXPECT_EQ(ListKindOf(5), 5);  // an unknown kind is its own
    struct WordCase {
        const char* word;
        int kind;  // 0: no row
    };
    const WordCase words[] = {{"keyboard", kKindKeyboard}, {"mouse", kKindMouse},   {"pad", kKindMousePad},
                              {"headset", kKindHeadset},   {"MousePad", 0},         {"wireless-mouse", 0},
                              {"", 0},                     {"Keyboard", 0}};
    for (const WordCase& w : words) {
        const DeviceKindRow* row = FindDeviceKindByWord(w.word);
        EXPECT_EQ(row == nullptr ? 0 : int(row->kind), w.kind) << w.word;
    }
}

}  // namespace
}  // namespace morvek
