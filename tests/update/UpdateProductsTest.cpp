// The products the update list offers: only those with a version, each with its own kind's.
#include <gtest/gtest.h>

#include <map>

#include "update/UpdateProducts.h"

namespace morvek::update {
namespace {

TEST(UpdateProductsTest, DevicesWithoutAnOpenDeviceAreLeftOut) {
    const std::map<uint16_t, int> firmware = {{kKindKeyboard, 0x0203}, {kKindMousePad, 0}, {kKindMouse, 0x0110}};
    const auto identities =
        CurrentIdentities([&](uint16_t kind) { return firmware.count(kind) ? firmware.at(kind) : 0; }, "0.1.0");
    ASSERT_EQ(identities.size(), 3u);
    EXPECT_EQ(identities[0].productCode, "MVKKB");
    EXPECT_EQ(identities[0].version, 0x0203);
    EXPECT_EQ(identities[1].productCode, "MVKMOUSE");
    EXPECT_EQ(identities[1].version, 0x0110);
    EXPECT_EQ(identities[2].productCode, "ALL");
    EXPECT_EQ(identities[2].version, 10);
    EXPECT_EQ(identities[2].versionText, "0.1.0");
}

TEST(UpdateProductsTest, ApplicationWithoutAVersionNumberIsLeftOut) {
    EXPECT_TRUE(CurrentIdentities([](uint16_t) { return 0; }, "dev").empty());
}

}  // namespace
}  // namespace morvek::update
