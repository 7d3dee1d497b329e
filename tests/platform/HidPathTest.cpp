#include "platform/hid/HidPath.h"

#include <gtest/gtest.h>

namespace morvek::hid {
namespace {

TEST(HidPathTest, BuildsPathsWithTheSystemMarkers) {
    struct Case {
        HidPathParts parts;
        const char* path;
    };
    const Case cases[] = {
        {{"/dev/hidraw3", 0x0C45, 0x764E, 1, 4}, "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col04"},
        {{"/dev/hidraw0", 0x0C45, 0x764E, 3, 0}, "/dev/hidraw0&vid_0c45&pid_764e&mi_03"},
        {{"/dev/hidraw12", 0x0001, 0xABCD, std::nullopt, 0}, "/dev/hidraw12&vid_0001&pid_abcd"},
        {{"/dev/hidraw1", 0xFFFF, 0x0000, 0x1F, 0x1A}, "/dev/hidraw1&vid_ffff&pid_0000&mi_1f&col1a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildHidPath(c.parts), c.path);
        const auto split = SplitHidPath(c.path);
        ASSERT_TRUE(split.has_value()) << c.path;
        EXPECT_EQ(split->node, c.parts.node);
        EXPECT_EQ(split->vendorId, c.parts.vendorId);
        EXPECT_EQ(split->productId, c.parts.productId);
        EXPECT_EQ(split->interfaceNumber, c.parts.interfaceNumber);
        EXPECT_EQ(split->collectionNumber, c.parts.collectionNumber);
    }
}

TEST(HidPathTest, SplitsMarkersRegardlessOfCase) {
    const auto split = SplitHidPath("/dev/hidraw7&VID_0C45&Pid_764E&MI_01&COL04");
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->node, "/dev/hidraw7");
    EXPECT_EQ(split->vendorId, 0x0C45);
    EXPECT_EQ(split->productId, 0x764E);
    EXPECT_EQ(split->interfaceNumber, 1);
    EXPECT_EQ(split->collectionNumber, 4);
}

TEST(HidPathTest, RejectsPathsThatAreNotInterfacePaths) {
    const char* cases[] = {
        "",
        "/dev/hidraw3",                                  // no markers
        "&vid_0c45&pid_764e",                            // no node
        "/dev/hidraw3&pid_764e&mi_01",                   // no vendor
        "/dev/hidraw3&vid_0c45&mi_01",                   // no product
        "/dev/hidraw3&vid_0c45&pid_764e&mi_01&col",      // empty number
        "/dev/hidraw3&vid_0c45&pid_764g",                // not hexadecimal
        "/dev/hidraw3&vid_10c45&pid_764e",               // wider than 16 bits
        "/dev/hidraw3&vid_0c45&pid_764e&vid_0c45",       // repeated marker
        "/dev/hidraw3&vid_0c45&pid_764e&rev_0102",       // unknown marker
        "/dev/hidraw3&vid_0c45&pid_764e&mi_01/../x",     // anything after the markers
    };
    for (const char* path : cases) EXPECT_FALSE(SplitHidPath(path).has_value()) << path;
}

}  // namespace
}  // namespace morvek::hid
