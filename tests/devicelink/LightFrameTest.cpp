#include <gtest/gtest.h>

#include <vector>

#include "devicelink/LightFrame.h"

namespace morvek {
namespace {

TEST(LightFrameTest, ScalesEachColourByteByTheLedsBrightness) {
    const struct {
        LedEntry led;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {{{255, 128, 1}, 255}, {254, 127, 0}},
        {{{255, 128, 1}, 128}, {127, 64, 0}},
        {{{255, 255, 255}, 0}, {0, 0, 0}},
        {{{0, 0, 0}, 255}, {0, 0, 0}},
        {{{100, 50, 25}, 30}, {11, 5, 2}},
    };
    for (const auto& c : cases) {
        const std::vector<LedEntry> leds = {LedEntry{}, c.led};
        const LightFrame frame = BuildLightFrame(leds);
        ASSERT_EQ(frame.bytes.size(), 6u);
        EXPECT_EQ(std::vector<uint8_t>(frame.bytes.begin() + 3, frame.bytes.end()), c.bytes)
            << int{c.led.colour.c0} << " at " << int{c.led.brightness};
        EXPECT_EQ(std::vector<uint8_t>(frame.bytes.begin(), frame.bytes.begin() + 3), std::vector<uint8_t>(3, 0));
    }
}

TEST(LightFrameTest, PreviewShowsTheUnscaledColourWithTheBrightness) {
    const std::vector<LedEntry> leds = {{{0x11, 0x22, 0x33}, 0x40}, {{0xFF, 0x00, 0x01}, 0xFF}};
    const LightFrame frame = BuildLightFrame(leds);
    const std::vector<LedPreview> expected = {{0x223311, 0x40}, {0x0001FF, 0xFF}};
    EXPECT_EQ(frame.previews, expected);
}

TEST(LightFrameTest, LedAtTheNoKeyPositionIsPreviewedButNotSent) {
    std::vector<LedEntry> leds(128, LedEntry{{255, 255, 255}, 255});
    const LightFrame frame = BuildLightFrame(leds);
    ASSERT_EQ(frame.bytes.size(), 3u * 128);
    ASSERT_EQ(frame.previews.size(), 128u);
    for (size_t i = 0; i < 128; ++i) {
        const uint8_t expected = i == 126 ? 0 : 254;
        EXPECT_EQ(frame.bytes[3 * i], expected) << i;
        EXPECT_EQ(frame.bytes[3 * i + 2], expected) << i;
        EXPECT_EQ(frame.previews[i], (LedPreview{0xFFFFFF, 255})) << i;
    }
}

TEST(LightFrameTest, NoLedsGiveAnEmptyFrame) {
    const LightFrame frame = BuildLightFrame({});
    EXPECT_TRUE(frame.bytes.empty());
    EXPECT_TRUE(frame.previews.empty());
}

}  // namespace
}  // namespace morvek
