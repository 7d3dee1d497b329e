// Every emulated interface hands out a well-formed report descriptor that declares exactly
// the collections, report lengths and event field the enumeration promises.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "EmulatorTestSupport.h"
#include "devicelink/HidReportItem.h"
#include "platform/hid/ReportDescriptor.h"

namespace morvek::emulator::test {
namespace {

class DescriptorTest : public EmulatorTest {};

TEST_F(DescriptorTest, EachInterfaceDeclaresExactlyItsEnumeratedCollections) {
    for (EmulatedKind kind : kAllEmulatedKinds) {
        SCOPED_TRACE(EmulatedKindName(kind));
        EmulatorBackend local;
        local.Attach(kind);
        std::vector<hid::HidInterfaceInfo> entries;
        ASSERT_TRUE(local.Enumerate(entries));
        std::map<uint16_t, std::vector<hid::HidInterfaceInfo>> byInterface;
        for (const auto& entry : entries) {
            byInterface[entry.interfaceNumber].push_back(entry);
        }
        for (const auto& [number, collections] : byInterface) {
            SCOPED_TRACE(number);
            auto device = local.Open(collections.front().path, {});
            ASSERT_NE(device, nullptr);
            const auto parsed = hid::ParseReportDescriptor(device->ReportDescriptor());
            ASSERT_TRUE(parsed.has_value()) << "malformed descriptor";
            ASSERT_EQ(parsed->collections.size(), collections.size());
            for (size_t i = 0; i < collections.size(); ++i) {
                EXPECT_EQ(collections[i].collectionNumber, collections.size() > 1 ? i + 1 : 0);
            }
        }
    }
}

TEST_F(DescriptorTest, EventReportStartsWithTheDeclaredSixteenBitUsageArray) {
    for (EmulatedKind kind : kAllEmulatedKinds) {
        SCOPED_TRACE(EmulatedKindName(kind));
        EmulatorBackend local;
        EmulatedDevice& emulated = local.Attach(kind);
        std::vector<hid::HidInterfaceInfo> entries;
        ASSERT_TRUE(local.Enumerate(entries));
        const auto consumer = std::find_if(entries.begin(), entries.end(), [](const auto& e) {
            return e.usagePage == kConsumerPage && e.usage == 0x01;
        });
        ASSERT_NE(consumer, entries.end());
        auto device = local.Open(consumer->path, {});
        ASSERT_NE(device, nullptr);
        const auto parsed = hid::ParseReportDescriptor(device->ReportDescriptor());
        ASSERT_TRUE(parsed.has_value());
        const hid::HidCollectionCaps& collection =
            parsed->collections.at(consumer->collectionNumber == 0 ? 0 : consumer->collectionNumber - 1);
        ASSERT_FALSE(collection.input.buttons.empty());
        const hid::HidButtonCaps& field = collection.input.buttons.front();
        EXPECT_TRUE(field.isArray);
        EXPECT_EQ(field.bitSize, 16u);
        EXPECT_EQ(field.bitOffset, 0u);
        EXPECT_EQ(field.logicalMin, 0);
        EXPECT_GE(field.logicalMax, 0x04FF);
        EXPECT_EQ(field.usageMin, 0u);
        EXPECT_GE(field.usageMax, 0x04FFu);

        ASSERT_TRUE(emulated.SendEvent(0x0404));
        std::array<uint8_t, 64> report{};
        const hid::IoResult read = device->Read(report, 1000);
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.bytes, 1u + field.bitSize / 8u);
        EXPECT_EQ(report[0], field.reportId);
        EXPECT_EQ(report[1] | (report[2] << 8), 0x0404);
    }
}

TEST_F(DescriptorTest, HostDescriptorParserAndReportItemsDecodeEveryDevicesEvents) {
    for (EmulatedKind kind : kAllEmulatedKinds) {
        SCOPED_TRACE(EmulatedKindName(kind));
        EmulatorBackend local;
        EmulatedDevice& emulated = local.Attach(kind);
        std::vector<hid::HidInterfaceInfo> entries;
        ASSERT_TRUE(local.Enumerate(entries));
        for (const hid::HidInterfaceInfo& entry : entries) {
            auto device = local.Open(entry.path, {});
            ASSERT_NE(device, nullptr);
            const auto parsed = hid::ParseReportDescriptor(device->ReportDescriptor());
            ASSERT_TRUE(parsed.has_value()) << entry.path;
            const hid::HidCollectionCaps& caps =
                parsed->collections.at(entry.collectionNumber == 0 ? 0 : entry.collectionNumber - 1);
            EXPECT_EQ(caps.usagePage, entry.usagePage);
            EXPECT_EQ(caps.usage, entry.usage);
            EXPECT_EQ(caps.input.reportLength, entry.inputReportLength);
            EXPECT_EQ(caps.output.reportLength, entry.outputReportLength);
            if (entry.usagePage != kConsumerPage) {
                continue;
            }
            std::vector<HidReportItem> items = BuildReportItems(caps, hid::ReportKind::Input);
            ASSERT_FALSE(items.empty());
            for (uint16_t code : {uint16_t{0x0205}, uint16_t{0x0305}, uint16_t{0x0401}, uint16_t{0x0404}}) {
                ASSERT_TRUE(emulated.SendEvent(code));
                std::vector<uint8_t> report(entry.inputReportLength, 0);
                const hid::IoResult read = device->Read(report, 1000);
                ASSERT_TRUE(read.ok());
                ASSERT_TRUE(UnpackInputReport(items, report.data(), read.bytes, hid::ReportKind::Input, items.size(),
                                              caps));
                ASSERT_FALSE(items[0].usages.empty());
                EXPECT_EQ(items[0].usages[0], code);
            }
        }
    }
}

}  // namespace
}  // namespace morvek::emulator::test
