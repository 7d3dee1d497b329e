#include "devices/mouse/MouseButtonMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvek {
namespace {

std::vector<uint8_t> Table(const std::vector<KeyAssignment>& slots) {
    std::vector<uint8_t> t;
    for (const KeyAssignment& a : slots) t.insert(t.end(), {a.type, a.p1, a.p2});
    return t;
}

const KeyAssignment kLeft{0x10, 0x01, 0x00};
const KeyAssignment kRight{0x10, 0x02, 0x00};
const KeyAssignment kDpi1{0x13, 0x01, 0x00};
const KeyAssignment kDpi3{0x13, 0x03, 0x00};
const KeyAssignment kSpare{0x20, 0x00, 0x00};

TEST(MouseButtonMapTest, ButtonsFoundByFactoryCode) {
    struct Case {
        const char* what;
        std::vector<KeyAssignment> slots;
        size_t button;
        uint8_t slot;
    };
    const Case cases[] = {
        {"right in slot 2", {kSpare, kLeft, kRight}, 1, 2},
        {"DPI function 3 missing", {kLeft, kRight, kDpi1}, 7, MouseButtonMap::kNoSlot},
        {"two slots with the same code: the lower", {kSpare, kDpi3, kSpare, kDpi3}, 7, 1},
        {"empty table", {}, 0, MouseButtonMap::kNoSlot},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> table = Table(c.slots);
        EXPECT_EQ(MouseButtonMap::FromKeyTable(table, c.slots.size()).SlotOf(c.button), c.slot) << c.what;
    }
}

TEST(MouseButtonMapTest, SlotCountLimitsTheSearch) {
    const std::vector<uint8_t> table = Table({kSpare, kLeft});
    EXPECT_EQ(MouseButtonMap::FromKeyTable(table, 1).SlotOf(0), MouseButtonMap::kNoSlot);
    EXPECT_EQ(MouseButtonMap::FromKeyTable(table, 40).SlotOf(0), 1);  // more slots than bytes: the bytes decide
}

TEST(MouseButtonMapTest, ImageChangesOnlyMappedSlots) {
    const std::vector<uint8_t> table = Table({kSpare, kRight, kLeft, kDpi1, kSpare});
    const MouseButtonMap map = MouseButtonMap::FromKeyTable(table, 5);
    std::vector<KeyListEntry> keys(MouseButtonMap::kButtonCount);
    for (auto& k : keys) k.current = {0x70, 0x02, 0x00};
    const std::vector<uint8_t> image = MouseKeyTableImage(table, map, keys);
    const std::vector<uint8_t> expected =
        Table({kSpare, {0x70, 0x02, 0x00}, {0x70, 0x02, 0x00}, {0x70, 0x02, 0x00}, kSpare});
    EXPECT_EQ(image, expected);

    // A shorter key list leaves the buttons it lacks as the mouse holds them.
    keys.resize(1);
    EXPECT_EQ(MouseKeyTableImage(table, map, keys), Table({kSpare, kRight, {0x70, 0x02, 0x00}, kDpi1, kSpare}));
}

}  // namespace
}  // namespace morvek
