#include <gtest/gtest.h>

#include <vector>

#include "devices/keys/KeyMacroCheck.h"

namespace morvek {
namespace {

KeyListEntry Entry(KeyAssignment current) { return {0, current, 0, {0x20, 0, 0x04}}; }

TEST(KeyMacroCheckTest, KeysPlayingMissingMacrosReturnToTheirDefault) {
    std::vector<KeyListEntry> keys = {
        Entry({0x70, 4, 1}),     // the last of five macros
        Entry({0x70, 5, 0}),     // one past the end
        Entry({0x71, 200, 44}),  // far past the end
        Entry({0x20, 0x10, 5}),  // not a macro
        Entry({0x72, 9, 0}),     // gun key, not a macro
    };
    EXPECT_EQ(CheckMacroAssignments(keys, 5), 2);
    EXPECT_EQ(keys[0].current, (KeyAssignment{0x70, 4, 1}));
    EXPECT_EQ(keys[1].current, keys[1].defaults);
    EXPECT_EQ(keys[2].current, keys[2].defaults);
    EXPECT_EQ(keys[3].current, (KeyAssignment{0x20, 0x10, 5}));
    EXPECT_EQ(keys[4].current, (KeyAssignment{0x72, 9, 0}));

    EXPECT_EQ(CheckMacroAssignments(keys, 5), 0);
    EXPECT_EQ(CheckMacroAssignments(keys, 0), 1);
    EXPECT_EQ(keys[0].current, keys[0].defaults);
}

}  // namespace
}  // namespace morvek
