#include <gtest/gtest.h>

#include "macros/DeviceMacroImage.h"
#include "macros/MacroDownload.h"

namespace morvek {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<MacroEvent> Events(size_t n) {
    std::vector<MacroEvent> events;
    for (size_t i = 0; i < n; ++i) events.push_back({kMacroEventKey, static_cast<int>(4 + i), i % 2 == 0, 10});
    return events;
}

uint16_t U16(const Bytes& image, size_t at) { return static_cast<uint16_t>(image[at] | image[at + 1] << 8); }

TEST(DeviceMacroImageTest, OneMacroWithThreeEvents) {
    const std::vector<std::vector<MacroEvent>> macros = {
        {{kMacroEventKey, 4, true, 100}, {kMacroEventKey, 4, false, 20}, {kMacroEventModifier, 0x02, true, 0x1234}}};
    const Bytes image = DeviceMacroImage::Build(macros);
    const Bytes expected = {0xAA, 0x55, 34, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // header
                            18,   0,                                                // offset of macro 0
                            3,    0,    0,  0,                                      // record: 3 events
                            0x64, 0x00, 0x8A, 0x04, 0x14, 0x00, 0x0A, 0x04, 0x34, 0x12, 0x89, 0x02};
    EXPECT_EQ(image, expected);
}

TEST(DeviceMacroImageTest, OffsetsFollowTheEventCounts) {
    struct Case {
        std::vector<size_t> counts;
        size_t total;
        std::vector<uint16_t> offsets;
    } cases[] = {
        {{0, 2}, 36, {20, 24}},
        {{3, 0, 10, 1}, 96, {24, 40, 44, 88}},
        {{}, 16, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<MacroEvent>> macros;
        for (size_t n : c.counts) macros.push_back(Events(n));
        const Bytes image = DeviceMacroImage::Build(macros);
        ASSERT_EQ(image.size(), c.total);
        EXPECT_EQ(DeviceMacroImage::TotalSize(c.counts), c.total);
        EXPECT_EQ(U16(image, 2), c.total);
        EXPECT_EQ(U16(image, 4), c.counts.size());
        for (size_t m = 0; m < c.counts.size(); ++m) {
            EXPECT_EQ(U16(image, 16 + 2 * m), c.offsets[m]) << m;
            EXPECT_EQ(U16(image, c.offsets[m]), c.counts[m]) << m;
        }
    }
}

TEST(DeviceMacroImageTest, EventEncoding) {
    struct Case {
        MacroEvent event;
        std::array<uint8_t, 4> bytes;
    } cases[] = {
        {{kMacroEventKey, 4, true, 100}, {0x64, 0x00, 0x8A, 0x04}},
        {{kMacroEventKey, 4, false, 100}, {0x64, 0x00, 0x0A, 0x04}},
        {{kMacroEventMouseButton, 0x10, true, 0}, {0x00, 0x00, 0x81, 0x10}},
        {{kMacroEventMoveVertical, 255, false, 65535}, {0xFF, 0xFF, 0x05, 0xFF}},
        // A delay the device cannot hold waits the longest it can, as the editor shows it.
        {{kMacroEventKey, 4, true, 70000}, {0xFF, 0xFF, 0x8A, 0x04}},
        // Type keeps 7 bits, the button one byte.
        {{0x8A, 0x104, true, 1}, {0x01, 0x00, 0x8A, 0x04}},
    };
    for (const Case& c : cases) EXPECT_EQ(DeviceMacroImage::EncodeEvent(c.event), c.bytes);
}

TEST(DeviceMacroImageTest, EventsTooManyForTheMacroMemory) {
    EXPECT_EQ(EventsTooMany(4100, 4096), 2);
    EXPECT_EQ(EventsTooMany(4097, 4096), 1);
    EXPECT_EQ(EventsTooMany(4096, 4096), 0);
    EXPECT_EQ(EventsTooMany(40, 0), 11);
}

TEST(DeviceMacroImageTest, AnImageTooLargeForItsSizeFieldIsNotBuilt) {
    EXPECT_TRUE(DeviceMacroImage::Build(std::vector<std::vector<MacroEvent>>{Events(16380)}).empty());
    EXPECT_EQ(DeviceMacroImage::Build(std::vector<std::vector<MacroEvent>>{Events(16378)}).size(), 65534u);
}

}  // namespace
}  // namespace morvek
