#include "devicelink/HidReportItem.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/DescriptorFixtures.h"

namespace morvek {
namespace {

using hid::ReportKind;

hid::HidCollectionCaps Collection(const std::vector<uint8_t>& descriptor, size_t index) {
    const auto parsed = hid::ParseReportDescriptor(descriptor);
    if (!parsed || parsed->collections.size() <= index) {
        ADD_FAILURE() << "fixture does not parse";
        return {};
    }
    return parsed->collections[index];
}

bool Unpack(std::vector<HidReportItem>& items, const std::vector<uint8_t>& report, const hid::HidCollectionCaps& caps,
            size_t itemCount = SIZE_MAX) {
    return UnpackInputReport(items, report.data(), report.size(), ReportKind::Input,
                             std::min(itemCount, items.size()), caps);
}

TEST(HidReportItemTest, BuildsButtonItemsFirstThenOneItemPerValueUsage) {
    const hid::HidCollectionCaps mouse = Collection(hid::fixtures::kCompositeMouse, 0);
    const std::vector<HidReportItem> items = BuildReportItems(mouse, ReportKind::Input);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_TRUE(items[0].isButton);
    EXPECT_EQ(items[0].usagePage, 0x09);
    EXPECT_EQ(items[0].reportId, 1u);
    EXPECT_EQ(items[0].usageMin, 1);
    EXPECT_EQ(items[0].usageMax, 5);
    EXPECT_EQ(items[0].maxUsageListLength, 5u);

    const std::pair<uint16_t, uint16_t> values[] = {{0x01, 0x30}, {0x01, 0x31}, {0x01, 0x38}, {0x0C, 0x238}, {0x01, 0x36}};
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_FALSE(items[i + 1].isButton);
        EXPECT_EQ(items[i + 1].usagePage, values[i].first);
        EXPECT_EQ(items[i + 1].usage, values[i].second);
    }

    const hid::HidCollectionCaps keyboard = Collection(hid::fixtures::kKeyboardInterface, 0);
    const std::vector<HidReportItem> nkro = BuildReportItems(keyboard, ReportKind::Input);
    ASSERT_EQ(nkro.size(), 2u);
    EXPECT_EQ(nkro[0].maxUsageListLength, 128u);  // every key of the page in report 1
    EXPECT_EQ(BuildReportItems(keyboard, ReportKind::Output).size(), 1u);
    EXPECT_TRUE(BuildReportItems(keyboard, ReportKind::Feature).empty());

    // The runs of one array field count its fields once.
    const std::vector<HidReportItem> media = BuildReportItems(Collection(hid::fixtures::kCompositeMouse, 1), ReportKind::Input);
    ASSERT_EQ(media.size(), 3u);
    for (const HidReportItem& item : media) EXPECT_EQ(item.maxUsageListLength, 1u);
}

TEST(HidReportItemTest, DecodesConsumerEventReports) {
    const hid::HidCollectionCaps consumer = Collection(hid::fixtures::kKeyboardInterface, 2);
    struct Case {
        const char* name;
        std::vector<uint8_t> report;
        std::vector<uint16_t> usages;
    };
    const Case cases[] = {
        {"synchronise request", {0x03, 0x01, 0x04, 0x00, 0x00}, {0x0401, 0}},
        {"device notice", {0x03, 0x04, 0x04, 0x00, 0x00}, {0x0404, 0}},
        {"key 5 pressed", {0x03, 0x05, 0x02, 0x00, 0x00}, {0x0205, 0}},
        {"two usages in report order", {0x03, 0xE9, 0x00, 0xCD, 0x00}, {0xE9, 0xCD}},
        {"empty slot first", {0x03, 0x00, 0x00, 0xE2, 0x00}, {0xE2, 0}},
        {"nothing pressed", {0x03, 0x00, 0x00, 0x00, 0x00}, {0}},
        {"index beyond the logical range", {0x03, 0xFF, 0xFF, 0x01, 0x04}, {0x0401, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<HidReportItem> items = BuildReportItems(consumer, ReportKind::Input);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_TRUE(Unpack(items, c.report, consumer));
        EXPECT_TRUE(items[0].isSet);
        EXPECT_EQ(items[0].status, 0u);
        EXPECT_EQ(items[0].usages, c.usages);
    }
}

TEST(HidReportItemTest, VariableBitmapsListSetBitsPerItemRange) {
    const hid::HidCollectionCaps keyboard = Collection(hid::fixtures::kKeyboardInterface, 0);
    std::vector<HidReportItem> items = BuildReportItems(keyboard, ReportKind::Input);
    std::vector<uint8_t> report(17, 0);
    report[0] = 0x01;
    report[1] = 0x02;       // Left Shift (0xE1)
    report[2] = 0x10;       // key usage 0x04 at bit 8 + 4
    report[7] = 0x02;       // key usage 0x29 at bit 8 + 41
    ASSERT_TRUE(Unpack(items, report, keyboard));
    EXPECT_EQ(items[0].usages, (std::vector<uint16_t>{0xE1, 0}));
    EXPECT_EQ(items[1].usages, (std::vector<uint16_t>{0x04, 0x29, 0}));

    // Without report ids byte 0 is 0 and every item has report id 0.
    const hid::HidCollectionCaps media = Collection(hid::fixtures::kPlainConsumer, 0);
    std::vector<HidReportItem> mediaItems = BuildReportItems(media, ReportKind::Input);
    ASSERT_EQ(mediaItems.size(), 5u);
    ASSERT_TRUE(Unpack(mediaItems, {0x00, 0b10100010}, media));
    const std::vector<uint16_t> expected[] = {{0}, {0xB5, 0}, {0}, {0xE9, 0}, {0x183, 0}};
    for (size_t i = 0; i < mediaItems.size(); ++i) {
        EXPECT_TRUE(mediaItems[i].isSet) << i;
        EXPECT_EQ(mediaItems[i].usages, expected[i]) << i;
    }
}

TEST(HidReportItemTest, ArrayOfListedUsagesDecodesThroughEachRun) {
    const hid::HidCollectionCaps media = Collection(hid::fixtures::kCompositeMouse, 1);
    struct Case {
        uint8_t index;
        std::vector<uint16_t> usages[3];
    };
    const Case cases[] = {
        {0, {{0}, {0}, {0}}},  // below the logical minimum: no key
        {2, {{0xB6}, {0}, {0}}},
        {3, {{0}, {0xE9}, {0}}},
        {4, {{0}, {0}, {0x223}}},
        {9, {{0}, {0}, {0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("index " + std::to_string(c.index));
        std::vector<HidReportItem> items = BuildReportItems(media, ReportKind::Input);
        ASSERT_EQ(items.size(), 3u);
        ASSERT_TRUE(Unpack(items, {0x02, c.index}, media));
        for (size_t i = 0; i < 3; ++i) EXPECT_EQ(items[i].usages, c.usages[i]) << i;
    }
}

TEST(HidReportItemTest, ValuesAreSignExtendedOrScaledToTheirPhysicalRange) {
    const hid::HidCollectionCaps mouse = Collection(hid::fixtures::kCompositeMouse, 0);
    struct Case {
        uint8_t slider;
        int32_t sliderScaled;
    };
    for (const Case c : {Case{0, 0}, Case{128, 501}, Case{255, 1000}}) {
        SCOPED_TRACE("slider " + std::to_string(c.slider));
        std::vector<HidReportItem> items = BuildReportItems(mouse, ReportKind::Input);
        // buttons 1 and 3, X -5, Y 300, wheel -1, pan 2, slider
        ASSERT_TRUE(Unpack(items, {0x01, 0x05, 0xFB, 0xFF, 0x2C, 0x01, 0xFF, 0x02, c.slider}, mouse));
        EXPECT_EQ(items[0].usages, (std::vector<uint16_t>{1, 3, 0}));
        const std::pair<uint32_t, int32_t> values[] = {{0xFFFB, -5}, {300, 300}, {0xFF, -1}, {2, 2}, {c.slider, c.sliderScaled}};
        for (size_t i = 0; i < std::size(values); ++i) {
            EXPECT_TRUE(items[i + 1].isSet) << i;
            EXPECT_EQ(items[i + 1].status, 0u) << i;
            EXPECT_EQ(items[i + 1].rawValue, values[i].first) << i;
            EXPECT_EQ(items[i + 1].scaledValue, values[i].second) << i;
        }
    }
}

TEST(HidReportItemTest, LogicalValueOutsideItsRangeHasNoScaledValue) {
    const auto parsed = hid::ParseReportDescriptor(std::vector<uint8_t>{
        0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0x09, 0x36, 0x15, 0x00, 0x25, 0x64, 0x35, 0x00,
        0x46, 0xE8, 0x03, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0});
    ASSERT_TRUE(parsed && parsed->collections.size() == 1);
    const hid::HidCollectionCaps& caps = parsed->collections[0];
    std::vector<HidReportItem> items = BuildReportItems(caps, ReportKind::Input);
    ASSERT_EQ(items.size(), 1u);

    EXPECT_TRUE(Unpack(items, {0x00, 50}, caps));
    EXPECT_EQ(items[0].scaledValue, 500);
    EXPECT_EQ(items[0].status, 0u);

    EXPECT_TRUE(Unpack(items, {0x00, 200}, caps));
    EXPECT_EQ(items[0].rawValue, 200u);
    EXPECT_EQ(items[0].scaledValue, 0);
    EXPECT_NE(items[0].status, 0u);
}

TEST(HidReportItemTest, VendorValueArrayYieldsItsFirstByte) {
    const hid::HidCollectionCaps vendor = Collection(hid::fixtures::kKeyboardInterface, 3);
    std::vector<HidReportItem> items = BuildReportItems(vendor, ReportKind::Input);
    ASSERT_EQ(items.size(), 1u);
    std::vector<uint8_t> report(64, 0x11);
    report[0] = 0x04;
    report[1] = 0xAA;
    ASSERT_TRUE(Unpack(items, report, vendor));
    EXPECT_EQ(items[0].rawValue, 0xAAu);
}

TEST(HidReportItemTest, ReportsOfOtherIdsLeaveItemsUntouched) {
    const hid::HidCollectionCaps consumer = Collection(hid::fixtures::kKeyboardInterface, 2);
    std::vector<HidReportItem> items = BuildReportItems(consumer, ReportKind::Input);
    ASSERT_TRUE(Unpack(items, {0x03, 0x01, 0x04, 0x00, 0x00}, consumer));
    ASSERT_TRUE(items[0].isSet);

    EXPECT_TRUE(Unpack(items, {0x04, 0x02, 0x04, 0x00, 0x00}, consumer));
    EXPECT_FALSE(items[0].isSet);
    EXPECT_EQ(items[0].usages, (std::vector<uint16_t>{0x0401, 0}));
}

TEST(HidReportItemTest, ShortReportsAreNeverReadPastTheirEnd) {
    const hid::HidCollectionCaps consumer = Collection(hid::fixtures::kKeyboardInterface, 2);
    std::vector<HidReportItem> buttons = BuildReportItems(consumer, ReportKind::Input);
    EXPECT_TRUE(Unpack(buttons, {0x03, 0x01}, consumer));
    EXPECT_NE(buttons[0].status, 0u);
    EXPECT_EQ(buttons[0].usages, std::vector<uint16_t>{0});
    EXPECT_FALSE(UnpackInputReport(buttons, nullptr, 0, ReportKind::Input, buttons.size(), consumer));

    // A value beyond the report ends the parse: later items stay unvisited.
    const hid::HidCollectionCaps mouse = Collection(hid::fixtures::kCompositeMouse, 0);
    std::vector<HidReportItem> items = BuildReportItems(mouse, ReportKind::Input);
    EXPECT_FALSE(Unpack(items, {0x01, 0x00, 0x05, 0x00, 0x07}, mouse));
    EXPECT_TRUE(items[1].isSet);
    EXPECT_EQ(items[1].scaledValue, 5);
    EXPECT_NE(items[2].status, 0u);
    EXPECT_FALSE(items[3].isSet);
}

TEST(HidReportItemTest, ItemCountLimitsTheItemsFilled) {
    const hid::HidCollectionCaps mouse = Collection(hid::fixtures::kCompositeMouse, 0);
    std::vector<HidReportItem> items = BuildReportItems(mouse, ReportKind::Input);
    ASSERT_TRUE(Unpack(items, {0x01, 0x01, 0x05, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00}, mouse, 2));
    EXPECT_TRUE(items[0].isSet);
    EXPECT_TRUE(items[1].isSet);
    EXPECT_FALSE(items[2].isSet);
    EXPECT_EQ(items[2].rawValue, 0u);
}

}  // namespace
}  // namespace morvek
