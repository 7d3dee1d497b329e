#include <gtest/gtest.h>

#include "macros/MacroKeyFixup.h"

namespace morvek {
namespace {

KeyListEntry Key(KeyAssignment current, KeyAssignment defaults) { return {0, current, 0, defaults}; }

TEST(MacroKeyFixupTest, DeletingAMacroRebindsLaterMacrosAndFreesKeysBoundToIt) {
    const KeyAssignment keyA{0x20, 0, 0x04};
    const KeyAssignment keyB{0x20, 0, 0x05};
    // Macros 0, 1, 2; macro 1 is deleted.
    std::vector<KeyListEntry> keys = {
        Key({0x70, 2, 3}, keyA),    // macro 2, repeat mode 3 → macro 1
        Key({0x71, 1, 44}, keyB),   // macro 1, 44 times → its default
        Key({0x70, 0, 0}, keyA),    // macro 0 stays
        Key({0x20, 0, 0x06}, keyB), // no macro
        Key({0x10, 2, 2}, keyA),    // p1 2 but not a macro type
    };
    EXPECT_EQ(CountKeysBoundToMacro(keys, 1), 1);
    EXPECT_EQ(CountKeysBoundToMacro(keys, 3), 0);
    EXPECT_EQ(FixKeysForDeletedMacro(keys, 1), 2);
    EXPECT_EQ(keys[0].current, (KeyAssignment{0x70, 1, 3}));
    EXPECT_EQ(keys[1].current, keyB);
    EXPECT_EQ(keys[2].current, (KeyAssignment{0x70, 0, 0}));
    EXPECT_EQ(keys[3].current, (KeyAssignment{0x20, 0, 0x06}));
    EXPECT_EQ(keys[4].current, (KeyAssignment{0x10, 2, 2}));
    // Defaults never change.
    EXPECT_EQ(keys[0].defaults, keyA);
    EXPECT_EQ(CountKeysBoundToMacro(keys, 2), 0);

    std::vector<KeyListEntry> none = {Key({0x70, 0, 0}, keyA)};
    EXPECT_EQ(FixKeysForDeletedMacro(none, 5), 0);
    EXPECT_EQ(none[0].current, (KeyAssignment{0x70, 0, 0}));
}

}  // namespace
}  // namespace morvek
