#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "devices/keyboard/KeyLayout.h"
#include "devices/keys/KeyDefaultTable.h"
#include "emulator/EmulatorBackend.h"

namespace morvek {
namespace {

using emulator::EmulatedKind;
using emulator::EmulatorBackend;

constexpr int kA = MakeKeyIndex(3, 1);

KeyAssignment SlotRecord(const std::vector<uint8_t>& table, int slot) {
    return {table[slot * 3], table[slot * 3 + 1], table[slot * 3 + 2]};
}

std::vector<KeyListEntry> DefaultKeyList() {
    std::vector<KeyListEntry> keys;
    for (int i = 0; i < kKeyCount; ++i) {
        keys.push_back({uint16_t(i), DefaultKeyTable()[i], uint16_t(i), DefaultKeyTable()[i]});
    }
    return keys;
}

class KeyLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& keyboard = backend.Attach(EmulatedKind::Keyboard);
        keyTable = keyboard.KeyTable();
        ledTable = keyboard.KeyAttrTable();
        slotCount = keyboard.DeviceInfo()[5];
    }

    EmulatorBackend backend;
    std::vector<uint8_t> keyTable;
    std::vector<uint8_t> ledTable;
    int slotCount = 0;
};

TEST_F(KeyLayoutTest, FindsEveryKeyOfTheKeyboardInItsOwnSlotOrder) {
    const auto layout = KeyLayout::FromDeviceTables(keyTable, ledTable, slotCount);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->SlotOf(120), 0);
    for (int key = 0; key < kKeyCount; ++key) {
        const uint8_t slot = layout->SlotOf(key);
        ASSERT_NE(slot, KeyLayout::kAbsent) << "key " << key;
        EXPECT_EQ(SlotRecord(keyTable, slot), DefaultKeyTable()[key]) << "key " << key;
        EXPECT_EQ(layout->LedOf(key), ledTable[slot]) << "key " << key;
    }
    // The emulated keyboard lights each key at its own matrix index; the empty places 19, 20
    // and 62 share the first empty place's slot and so its LED.
    for (const int key : {0, 63, 104, 110, 120, 125}) EXPECT_EQ(layout->LedOf(key), key);
    for (const int key : {19, 20, 62}) EXPECT_EQ(layout->SlotOf(key), layout->SlotOf(18));
    EXPECT_EQ(layout->SlotOf(kNoKey), KeyLayout::kAbsent);
    EXPECT_EQ(layout->LedOf(-1), KeyLayout::kAbsent);
}

TEST_F(KeyLayoutTest, KeyTableWriteChangesOnlyTheSlotsOfAssignedKeys) {
    // A slot holding a function the program does not know belongs to no key.
    const int foreignSlot = 125;
    keyTable[foreignSlot * 3] = 0x99;
    const auto layout = KeyLayout::FromDeviceTables(keyTable, ledTable, slotCount);
    ASSERT_TRUE(layout);

    std::vector<KeyListEntry> keys = DefaultKeyList();
    keys[kA].current = {0x10, 0x01, 0};
    for (KeyListEntry& key : keys) {
        if (layout->SlotOf(key.index) == KeyLayout::kAbsent) key.current = {0x40, 0x01, 0};
    }
    const std::vector<uint8_t> image = layout->KeyTableImage(keys);

    ASSERT_EQ(image.size(), keyTable.size());
    const int slotA = layout->SlotOf(kA);
    for (int slot = 0; slot < slotCount; ++slot) {
        const KeyAssignment expected = slot == slotA ? KeyAssignment{0x10, 0x01, 0} : SlotRecord(keyTable, slot);
        EXPECT_EQ(SlotRecord(image, slot), expected) << "slot " << slot;
    }
}

TEST_F(KeyLayoutTest, NothingIsWrittenBeforeTheTablesAreRead) {
    EXPECT_FALSE(KeyLayout().IsRead());
    EXPECT_TRUE(KeyLayout().KeyTableImage(DefaultKeyList()).empty());
    EXPECT_EQ(KeyLayout().SlotOf(kA), KeyLayout::kAbsent);
}

TEST_F(KeyLayoutTest, RefusesTablesThatDoNotFitOrAreShort) {
    const std::vector<uint8_t> large(171 * 3, 0);
    EXPECT_FALSE(KeyLayout::FromDeviceTables(large, ledTable, 171));
    EXPECT_TRUE(KeyLayout::FromDeviceTables(large, ledTable, 170));
    const std::vector<uint8_t> shortTable(keyTable.begin(), keyTable.end() - 1);
    EXPECT_FALSE(KeyLayout::FromDeviceTables(shortTable, ledTable, slotCount));
    EXPECT_FALSE(KeyLayout::FromDeviceTables(keyTable, ledTable, -1));
}

TEST_F(KeyLayoutTest, FewerSlotsMapAndLightOnlyTheKeysTheyHold) {
    const int slots = 40;
    const auto layout = KeyLayout::FromDeviceTables(keyTable, ledTable, slots);
    ASSERT_TRUE(layout);
    int mapped = 0;
    for (int key = 0; key < kKeyCount; ++key) {
        const uint8_t slot = layout->SlotOf(key);
        if (slot == KeyLayout::kAbsent) {
            EXPECT_EQ(layout->LedOf(key), KeyLayout::kAbsent);
            continue;
        }
        ++mapped;
        EXPECT_LT(slot, slots);
        // Keys with a high index in a low slot are lit as well.
        EXPECT_EQ(layout->LedOf(key), ledTable[slot]) << "key " << key;
    }
    EXPECT_GT(mapped, 30);
    EXPECT_EQ(layout->KeyTableImage(DefaultKeyList()).size(), size_t(slots) * 3);
}

TEST_F(KeyLayoutTest, MissingLedsShortKeyListsAndNoSlotsAreHarmless) {
    const std::vector<uint8_t> fewLeds(ledTable.begin(), ledTable.begin() + 10);
    const auto layout = KeyLayout::FromDeviceTables(keyTable, fewLeds, slotCount);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->LedOf(120), ledTable[0]);
    EXPECT_EQ(layout->LedOf(125), KeyLayout::kAbsent);  // RWin lives beyond slot 9

    std::vector<KeyListEntry> keys = DefaultKeyList();
    keys.resize(10);
    keys[0].current = {0x40, 0x02, 0};
    const std::vector<uint8_t> image = layout->KeyTableImage(keys);
    EXPECT_EQ(SlotRecord(image, layout->SlotOf(0)), (KeyAssignment{0x40, 0x02, 0}));
    EXPECT_EQ(SlotRecord(image, 0), SlotRecord(keyTable, 0));

    const auto none = KeyLayout::FromDeviceTables({}, {}, 0);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->SlotOf(120), KeyLayout::kAbsent);
    EXPECT_TRUE(none->KeyTableImage(DefaultKeyList()).empty());
}

}  // namespace
}  // namespace morvek
