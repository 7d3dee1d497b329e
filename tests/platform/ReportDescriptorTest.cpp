#include "platform/hid/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <set>
#include <string>

#include "platform/DescriptorFixtures.h"

namespace morvek::hid {
namespace {

ParsedReportDescriptor ParseOrFail(const std::vector<uint8_t>& bytes) {
    auto parsed = ParseReportDescriptor(bytes);
    EXPECT_TRUE(parsed.has_value());
    return parsed.value_or(ParsedReportDescriptor{});
}

// Wraps report items in one application collection.
std::vector<uint8_t> InCollection(std::vector<uint8_t> body) {
    std::vector<uint8_t> bytes = {0x05, 0x01, 0x09, 0x00, 0xA1, 0x01};
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.push_back(0xC0);
    return bytes;
}

TEST(ReportDescriptorTest, SplitsKeyboardInterfaceIntoItsApplicationCollections) {
    const ParsedReportDescriptor parsed = ParseOrFail(fixtures::kKeyboardInterface);
    ASSERT_EQ(parsed.collections.size(), 4u);
    EXPECT_TRUE(parsed.usesReportIds);

    struct Expected {
        uint16_t usagePage, usage;
        uint8_t reportId;
        uint16_t input, output, feature;
    };
    const Expected expected[] = {
        {0x0001, 0x06, 1, 17, 2, 0},
        {0x0001, 0x80, 2, 2, 0, 0},
        {0x000C, 0x01, 3, 5, 0, 0},
        {0xFF1C, 0x92, 4, 64, 64, 0},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE("collection " + std::to_string(i + 1));
        const HidCollectionCaps& c = parsed.collections[i];
        EXPECT_EQ(c.number, i + 1);
        EXPECT_EQ(c.usagePage, expected[i].usagePage);
        EXPECT_EQ(c.usage, expected[i].usage);
        EXPECT_EQ(c.reportIds, std::vector<uint8_t>{expected[i].reportId});
        EXPECT_EQ(c.input.reportLength, expected[i].input);
        EXPECT_EQ(c.output.reportLength, expected[i].output);
        EXPECT_EQ(c.feature.reportLength, expected[i].feature);
        EXPECT_TRUE(c.OwnsReportId(expected[i].reportId));
        EXPECT_FALSE(c.OwnsReportId(0));
        EXPECT_EQ(&c.Caps(ReportKind::Output), &c.output);
    }
}

TEST(ReportDescriptorTest, KeyboardCapsPlaceEveryFieldAfterTheReportId) {
    const ParsedReportDescriptor parsed = ParseOrFail(fixtures::kKeyboardInterface);
    ASSERT_EQ(parsed.collections.size(), 4u);

    const auto& nkro = parsed.collections[0].input.buttons;
    ASSERT_EQ(nkro.size(), 2u);
    EXPECT_EQ(nkro[0].usagePage, 0x07);
    EXPECT_EQ(nkro[0].usageMin, 0xE0);
    EXPECT_EQ(nkro[0].usageMax, 0xE7);
    EXPECT_EQ(nkro[0].bitOffset, 0u);
    EXPECT_EQ(nkro[0].reportCount, 8);
    EXPECT_EQ(nkro[1].usageMin, 0x00);
    EXPECT_EQ(nkro[1].usageMax, 0x77);
    EXPECT_EQ(nkro[1].bitOffset, 8u);
    EXPECT_EQ(nkro[1].reportCount, 120);
    EXPECT_FALSE(nkro[1].isArray);
    EXPECT_EQ(parsed.collections[0].output.buttons.size(), 1u);  // the padding makes no caps

    const auto& system = parsed.collections[1].input;
    ASSERT_EQ(system.buttons.size(), 1u);
    EXPECT_EQ(system.buttons[0].usageMin, 0x81);
    EXPECT_EQ(system.buttons[0].usageMax, 0x83);
    EXPECT_TRUE(system.values.empty());

    const auto& consumer = parsed.collections[2].input.buttons;
    ASSERT_EQ(consumer.size(), 1u);
    EXPECT_TRUE(consumer[0].isArray);
    EXPECT_EQ(consumer[0].usagePage, 0x0C);
    EXPECT_EQ(consumer[0].usageMin, 0x000);
    EXPECT_EQ(consumer[0].usageMax, 0xFFF);
    EXPECT_EQ(consumer[0].bitSize, 16);
    EXPECT_EQ(consumer[0].reportCount, 2);
    EXPECT_EQ(consumer[0].logicalMax, 0xFFF);

    const auto& vendor = parsed.collections[3];
    ASSERT_EQ(vendor.input.values.size(), 1u);
    EXPECT_EQ(vendor.input.values[0].usagePage, 0xFF1C);
    EXPECT_EQ(vendor.input.values[0].usage, 0x01);
    EXPECT_EQ(vendor.input.values[0].reportCount, 63);
    EXPECT_EQ(vendor.input.values[0].bitSize, 8);
    EXPECT_EQ(vendor.input.values[0].logicalMax, 255);
    ASSERT_EQ(vendor.output.values.size(), 1u);
    EXPECT_EQ(vendor.output.values[0].bitOffset, 0u);
}

TEST(ReportDescriptorTest, PlainConsumerWithoutReportIdsCountsALeadingZeroByte) {
    const ParsedReportDescriptor parsed = ParseOrFail(fixtures::kPlainConsumer);
    ASSERT_EQ(parsed.collections.size(), 1u);
    EXPECT_FALSE(parsed.usesReportIds);
    const HidCollectionCaps& c = parsed.collections[0];
    EXPECT_EQ(c.reportIds, std::vector<uint8_t>{0});
    EXPECT_TRUE(c.OwnsReportId(0));
    EXPECT_EQ(c.input.reportLength, 2);

    // Listed usages: consecutive ones share an entry, each entry keeps its own bits.
    struct Run {
        uint16_t first, last;
        uint32_t offset;
    };
    const Run runs[] = {{0xCD, 0xCD, 0}, {0xB5, 0xB7, 1}, {0xE2, 0xE2, 4}, {0xE9, 0xEA, 5}, {0x183, 0x183, 7}};
    ASSERT_EQ(c.input.buttons.size(), std::size(runs));
    for (size_t i = 0; i < std::size(runs); ++i) {
        EXPECT_EQ(c.input.buttons[i].usageMin, runs[i].first) << i;
        EXPECT_EQ(c.input.buttons[i].usageMax, runs[i].last) << i;
        EXPECT_EQ(c.input.buttons[i].bitOffset, runs[i].offset) << i;
        EXPECT_EQ(c.input.buttons[i].reportCount, runs[i].last - runs[i].first + 1) << i;
        EXPECT_EQ(c.input.buttons[i].usagePage, 0x0C) << i;
    }
}

TEST(ReportDescriptorTest, CompositeMouseValuesKeepSignsPagesAndPhysicalRange) {
    const ParsedReportDescriptor parsed = ParseOrFail(fixtures::kCompositeMouse);
    ASSERT_EQ(parsed.collections.size(), 2u);  // the physical collection is nested, not top-level
    const HidCollectionCaps& mouse = parsed.collections[0];
    EXPECT_EQ(mouse.usage, 0x02);
    EXPECT_EQ(mouse.input.reportLength, 9);
    ASSERT_EQ(mouse.input.buttons.size(), 1u);
    EXPECT_EQ(mouse.input.buttons[0].usagePage, 0x09);
    EXPECT_EQ(mouse.input.buttons[0].usageMax, 5);

    struct Value {
        uint16_t page, usage;
        uint32_t offset;
        int32_t logicalMin, logicalMax, physicalMin, physicalMax;
    };
    const Value values[] = {
        {0x01, 0x30, 8, -32767, 32767, 0, 0},   {0x01, 0x31, 24, -32767, 32767, 0, 0},
        {0x01, 0x38, 40, -127, 127, 0, 0},      {0x0C, 0x238, 48, -127, 127, 0, 0},
        {0x01, 0x36, 56, 0, 255, 0, 1000},  // the page comes back after Pop
    };
    ASSERT_EQ(mouse.input.values.size(), std::size(values));
    for (size_t i = 0; i < std::size(values); ++i) {
        const HidValueCaps& v = mouse.input.values[i];
        SCOPED_TRACE("value " + std::to_string(i));
        EXPECT_EQ(v.usagePage, values[i].page);
        EXPECT_EQ(v.usage, values[i].usage);
        EXPECT_EQ(v.bitOffset, values[i].offset);
        EXPECT_EQ(v.logicalMin, values[i].logicalMin);
        EXPECT_EQ(v.logicalMax, values[i].logicalMax);
        EXPECT_EQ(v.physicalMin, values[i].physicalMin);
        EXPECT_EQ(v.physicalMax, values[i].physicalMax);
    }
}

TEST(ReportDescriptorTest, ArrayOfListedUsagesMapsEachIndexToItsUsage) {
    const ParsedReportDescriptor parsed = ParseOrFail(fixtures::kCompositeMouse);
    ASSERT_EQ(parsed.collections.size(), 2u);
    const auto& buttons = parsed.collections[1].input.buttons;

    struct Run {
        uint16_t first, last;
        int32_t logicalMin, logicalMax;
    };
    const Run runs[] = {{0xB5, 0xB6, 1, 2}, {0xE9, 0xE9, 3, 3}, {0x223, 0x223, 4, 4}};
    ASSERT_EQ(buttons.size(), std::size(runs));
    for (size_t i = 0; i < std::size(runs); ++i) {
        EXPECT_TRUE(buttons[i].isArray);
        EXPECT_EQ(buttons[i].usagePage, 0x0C);
        EXPECT_EQ(buttons[i].usageMin, runs[i].first);
        EXPECT_EQ(buttons[i].usageMax, runs[i].last);
        EXPECT_EQ(buttons[i].logicalMin, runs[i].logicalMin);
        EXPECT_EQ(buttons[i].logicalMax, runs[i].logicalMax);
        EXPECT_EQ(buttons[i].bitOffset, 0u);
        EXPECT_EQ(buttons[i].bitSize, 8);
    }
}

TEST(ReportDescriptorTest, BoundsAreSignedOnlyWhenTheMinimumIsNegative) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bounds;
        int32_t min, max;
    };
    const Case cases[] = {
        {"unsigned byte maximum", {0x15, 0x00, 0x25, 0xFF}, 0, 255},
        {"signed bytes", {0x15, 0x81, 0x25, 0x7F}, -127, 127},
        {"negative maximum", {0x15, 0x80, 0x25, 0xFF}, -128, -1},
        {"maximum before minimum", {0x25, 0xFF, 0x15, 0x80}, -128, -1},
        {"signed words", {0x16, 0x00, 0x80, 0x26, 0xFF, 0x7F}, -32768, 32767},
        {"huge unsigned maximum", {0x15, 0x00, 0x27, 0xFF, 0xFF, 0xFF, 0xFF}, 0,
         std::numeric_limits<int32_t>::max()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> body = c.bounds;
        body.insert(body.end(), {0x09, 0x30, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02});
        const ParsedReportDescriptor parsed = ParseOrFail(InCollection(body));
        ASSERT_EQ(parsed.collections.size(), 1u);
        ASSERT_EQ(parsed.collections[0].input.values.size(), 1u);
        EXPECT_EQ(parsed.collections[0].input.values[0].logicalMin, c.min);
        EXPECT_EQ(parsed.collections[0].input.values[0].logicalMax, c.max);
    }
}

TEST(ReportDescriptorTest, UsagesAreSharedOutAmongFields) {
    struct Case {
        const char* name;
        std::vector<uint8_t> usages;
        uint8_t count;
        std::vector<std::pair<uint16_t, uint16_t>> values;  // usage, report count
    };
    const Case cases[] = {
        {"one usage covers all fields", {0x09, 0x30}, 3, {{0x30, 3}}},
        {"last usage covers the rest", {0x09, 0x30, 0x09, 0x31}, 3, {{0x30, 1}, {0x31, 2}}},
        {"range expands per field", {0x19, 0x30, 0x29, 0x32}, 3, {{0x30, 1}, {0x31, 1}, {0x32, 1}}},
        {"more usages than fields", {0x19, 0x30, 0x29, 0x38}, 2, {{0x30, 1}, {0x31, 1}}},
        {"maximum before minimum", {0x29, 0x31, 0x19, 0x30}, 2, {{0x30, 1}, {0x31, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> body = c.usages;
        body.insert(body.end(), {0x15, 0x00, 0x25, 0x7F, 0x75, 0x08, 0x95, c.count, 0x81, 0x02});
        const ParsedReportDescriptor parsed = ParseOrFail(InCollection(body));
        ASSERT_EQ(parsed.collections.size(), 1u);
        const auto& values = parsed.collections[0].input.values;
        ASSERT_EQ(values.size(), c.values.size());
        uint32_t offset = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(values[i].usage, c.values[i].first);
            EXPECT_EQ(values[i].reportCount, c.values[i].second);
            EXPECT_EQ(values[i].bitOffset, offset);
            offset += 8u * values[i].reportCount;
        }
    }
}

TEST(ReportDescriptorTest, ReportIdsKeepSeparateOffsetsAndTheLongestSetsTheLength) {
    const ParsedReportDescriptor parsed = ParseOrFail(InCollection({
        0x85, 0x05, 0x09, 0x30, 0x15, 0x00, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02,  // id 5: 2 bytes
        0x85, 0x06, 0x09, 0x31, 0x95, 0x04, 0x81, 0x02,                                      // id 6: 4 bytes
        0x85, 0x05, 0x09, 0x32, 0x95, 0x01, 0x81, 0x02,                                      // id 5: 1 more
        0x85, 0x07, 0x09, 0x33, 0x95, 0x01, 0xB1, 0x02,                                      // id 7: feature
    }));
    ASSERT_EQ(parsed.collections.size(), 1u);
    const HidCollectionCaps& c = parsed.collections[0];
    EXPECT_EQ(c.reportIds, (std::vector<uint8_t>{5, 6, 7}));
    ASSERT_EQ(c.input.values.size(), 3u);
    EXPECT_EQ(c.input.values[1].reportId, 6);
    EXPECT_EQ(c.input.values[1].bitOffset, 0u);
    EXPECT_EQ(c.input.values[2].reportId, 5);
    EXPECT_EQ(c.input.values[2].bitOffset, 16u);
    EXPECT_EQ(c.input.reportLength, 5);
    EXPECT_EQ(c.feature.reportLength, 2);
    EXPECT_EQ(c.output.reportLength, 0);
}

TEST(ReportDescriptorTest, LongItemsAndUnknownTagsAreSkipped) {
    std::vector<uint8_t> bytes = {0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC,  // long item with 3 data bytes
                                  0x0F, 0x01, 0x02, 0x03, 0x04};       // reserved short item
    bytes.insert(bytes.end(), fixtures::kPlainConsumer.begin(), fixtures::kPlainConsumer.end());
    const ParsedReportDescriptor parsed = ParseOrFail(bytes);
    ASSERT_EQ(parsed.collections.size(), 1u);
    EXPECT_EQ(parsed.collections[0].input.buttons.size(), 5u);
}

TEST(ReportDescriptorTest, EmptyDescriptorHasNoCollections) {
    const auto parsed = ParseReportDescriptor({});
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(parsed->collections.empty());
}

std::vector<uint8_t> Repeat(std::vector<uint8_t> unit, size_t times, std::vector<uint8_t> tail = {}) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < times; ++i) bytes.insert(bytes.end(), unit.begin(), unit.end());
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

TEST(ReportDescriptorTest, RejectsMalformedDescriptors) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"item data missing", {0x05}},
        {"four-byte item cut short", {0x27, 0xFF, 0xFF}},
        {"long item header cut short", {0xFE, 0x02}},
        {"long item past the end", {0xFE, 0x10, 0x00, 0x01, 0x02}},
        {"end collection without collection", {0xC0}},
        {"collection never closed", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        {"nested collection never closed", {0x09, 0x02, 0xA1, 0x01, 0xA1, 0x00, 0xC0}},
        {"report id zero", {0x85, 0x00}},
        {"report id wider than a byte", {0x86, 0x00, 0x01}},
        {"pop without push", {0xB4}},
        {"report size beyond 256 bits", {0x77, 0xFF, 0xFF, 0x00, 0x00}},
        {"absurd report count", InCollection({0x75, 0x08, 0x97, 0xFF, 0xFF, 0xFF, 0x7F, 0x81, 0x02})},
        {"report longer than 4 KiB", InCollection({0x75, 0x20, 0x96, 0xD0, 0x07, 0x81, 0x02})},
        {"fields that add up past 4 KiB",
         InCollection({0x75, 0x80, 0x96, 0x00, 0x01, 0x81, 0x01, 0x95, 0x01, 0x81, 0x01})},
        {"report field outside any collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        {"deep push nesting", Repeat({0xA4}, 100)},
        {"deep collection nesting", Repeat({0xA1, 0x00}, 100, Repeat({0xC0}, 100))},
        {"more than 255 top-level collections", Repeat({0xA1, 0x01, 0xC0}, 256)},
        {"too many usages", InCollection(Repeat({0x09, 0x01}, 2000, {0x75, 0x01, 0x95, 0x01, 0x81, 0x02}))},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(ParseReportDescriptor(c.bytes).has_value()) << c.name;
    }
}

// Cutting a real descriptor anywhere either fails or yields the leading collections
// exactly as the whole descriptor has them.
TEST(ReportDescriptorTest, TruncatedDescriptorsFailOrKeepWholeLeadingCollections) {
    for (const auto* fixture : {&fixtures::kKeyboardInterface, &fixtures::kPlainConsumer, &fixtures::kCompositeMouse}) {
        const ParsedReportDescriptor whole = ParseOrFail(*fixture);
        std::set<size_t> collectionCounts;
        for (size_t length = 0; length < fixture->size(); ++length) {
            const auto parsed = ParseReportDescriptor(std::span(fixture->data(), length));
            if (!parsed) continue;
            SCOPED_TRACE("length " + std::to_string(length));
            ASSERT_LT(parsed->collections.size(), whole.collections.size());
            collectionCounts.insert(parsed->collections.size());
            for (size_t i = 0; i < parsed->collections.size(); ++i) {
                const HidCollectionCaps& part = parsed->collections[i];
                const HidCollectionCaps& full = whole.collections[i];
                EXPECT_EQ(part.usage, full.usage);
                EXPECT_EQ(part.input.reportLength, full.input.reportLength);
                EXPECT_EQ(part.output.reportLength, full.output.reportLength);
                EXPECT_EQ(part.input.buttons.size(), full.input.buttons.size());
                EXPECT_EQ(part.input.values.size(), full.input.values.size());
            }
        }
        EXPECT_EQ(collectionCounts.size(), whole.collections.size());  // 0 .. n-1 whole collections
    }
}

// Whatever is accepted keeps every field inside its report.
TEST(ReportDescriptorTest, RandomInputNeverPlacesFieldsOutsideTheReport) {
    std::mt19937 random(1234);
    const std::vector<uint8_t> alphabet = {0x05, 0x09, 0x19, 0x29, 0x15, 0x25, 0x75, 0x95, 0x85, 0x81, 0x91,
                                           0xB1, 0xA1, 0xC0, 0xA4, 0xB4, 0xFE, 0x0B, 0x00, 0x01, 0x02, 0x03,
                                           0x08, 0x10, 0x20, 0x40, 0x7F, 0x80, 0xFF};
    size_t accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::vector<uint8_t> bytes(random() % 48);
        for (uint8_t& b : bytes) b = alphabet[random() % alphabet.size()];
        const auto parsed = ParseReportDescriptor(bytes);
        if (!parsed) continue;
        ++accepted;
        for (const HidCollectionCaps& c : parsed->collections) {
            for (ReportKind kind : {ReportKind::Input, ReportKind::Output, ReportKind::Feature}) {
                const HidReportCaps& caps = c.Caps(kind);
                const uint64_t bits = 8ull * caps.reportLength;
                for (const HidButtonCaps& b : caps.buttons) {
                    EXPECT_LE(8 + b.bitOffset + uint64_t{b.bitSize} * b.reportCount, bits);
                    EXPECT_LE(b.usageMin, b.usageMax);
                }
                for (const HidValueCaps& v : caps.values) {
                    EXPECT_LE(8 + v.bitOffset + uint64_t{v.bitSize} * v.reportCount, bits);
                }
            }
        }
    }
    EXPECT_GT(accepted, 0u);
}

}  // namespace
}  // namespace morvek::hid
