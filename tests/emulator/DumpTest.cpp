// The `emulator dump` layout of one device and of the backend, and the kind words.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "EmulatorTestSupport.h"
#include "emulator/HexText.h"

namespace morvek::emulator::test {
namespace {

class DumpTest : public EmulatorTest {};

TEST_F(DumpTest, KindWordsParseNameAndKeyTheDump) {
    struct Case {
        const char* word;
        EmulatedKind kind;
        const char* dumpKey;
    };
    const Case cases[] = {
        {"keyboard", EmulatedKind::Keyboard, "keyboard"},
        {"mouse", EmulatedKind::Mouse, "mouse"},
        {"wireless-mouse", EmulatedKind::WirelessMouse, "mouse"},
        {"pad", EmulatedKind::MousePad, "pad"},
        {"headset", EmulatedKind::Headset, "headset"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseEmulatedKind(c.word), c.kind);
        EXPECT_STREQ(EmulatedKindName(c.kind), c.word);
        EXPECT_EQ(DumpKey(c.kind), c.dumpKey);
    }
    for (const char* word : {"", "Keyboard", "mousepad", "wireless", "keyboard "}) {
        EXPECT_FALSE(ParseEmulatedKind(word).has_value()) << '"' << word << '"';
    }
}

TEST_F(DumpTest, DeviceDumpHoldsTheMemoriesAsLowerCaseHexAndTheCounters) {
    EmulatedDevice& keyboard = backend.Attach(EmulatedKind::Keyboard);
    auto device = OpenCommands(EmulatedKind::Keyboard);
    ASSERT_NE(device, nullptr);
    const uint8_t settings[] = {0xAB, 0xCD};
    ASSERT_TRUE(WriteChunked(*device, 0x06, 3, settings));
    ASSERT_TRUE(WriteChunked(*device, 0x15, 0, Bytes(10, 0xF0)));
    ASSERT_TRUE(WriteChunked(*device, 0x12, 0, Bytes(60, 0x01)));
    ASSERT_EQ((*Exchange(*device, Request(0x01, 0, 0)))[7], 0);

    const Json::Value dump = backend.Dump(EmulatedKind::Keyboard);
    ASSERT_TRUE(dump.isObject());
    const std::vector<std::string> names = dump.getMemberNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
              (std::set<std::string>{"params", "keyTable", "keyAttr", "macro", "lightTable", "lastFrame", "frames",
                                     "reports", "configOpen"}));
    const std::string params = dump["params"].asString();
    EXPECT_EQ(params.size(), 1024u);
    EXPECT_EQ(params.substr(6, 4), "abcd") << "byte i is characters 2i and 2i+1";
    EXPECT_EQ(params.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(FromHex(params), keyboard.Params());
    EXPECT_EQ(FromHex(dump["keyTable"].asString()), keyboard.KeyTable());
    EXPECT_EQ(FromHex(dump["keyAttr"].asString()), keyboard.KeyAttrTable());
    EXPECT_EQ(FromHex(dump["lightTable"].asString()), keyboard.LightTable());
    EXPECT_EQ(dump["macro"].asString(), "f0f1f2f3f4f5f6f7f8f9") << "up to the last byte written";
    EXPECT_EQ(dump["lastFrame"].asString().substr(0, 120), ToHex(Bytes(60, 0x01)));
    EXPECT_EQ(dump["frames"].asUInt64(), 2u);
    EXPECT_EQ(dump["reports"].asUInt64(), 5u);
    EXPECT_TRUE(dump["configOpen"].asBool());
}

TEST_F(DumpTest, BackendDumpHasOneMemberPerAttachedDevice) {
    EXPECT_TRUE(backend.Dump().isObject());
    EXPECT_TRUE(backend.Dump().empty());
    backend.Attach(EmulatedKind::Keyboard);
    backend.Attach(EmulatedKind::WirelessMouse);
    backend.Attach(EmulatedKind::Headset);
    std::vector<std::string> names = backend.Dump().getMemberNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()),
              (std::set<std::string>{"keyboard", "mouse", "headset"}));
    EXPECT_TRUE(backend.Dump(EmulatedKind::MousePad).isNull());

    // With both mice attached neither hides the other.
    auto receiver = OpenCommands(EmulatedKind::WirelessMouse);
    ASSERT_TRUE(Exchange(*receiver, Request(0xAA, 0, 0)).has_value());
    backend.Attach(EmulatedKind::Mouse);
    const Json::Value dump = backend.Dump();
    EXPECT_EQ(dump["mouse"]["reports"].asUInt64(), 0u);
    EXPECT_EQ(dump["wireless-mouse"]["reports"].asUInt64(), 1u);
}

TEST_F(DumpTest, HeadsetKeepsItsLastLightOutputReports) {
    EmulatedDevice& headset = backend.Attach(EmulatedKind::Headset);
    auto device = OpenCommands(EmulatedKind::Headset);
    ASSERT_NE(device, nullptr);
    for (int i = 0; i < 14; ++i) {
        std::vector<uint8_t> report(17, 0);
        report[0] = 0xFF;
        report[1] = i % 2 ? 0x44 : 0x22;
        report[2] = static_cast<uint8_t>(0xAA + i % 6);
        report[4] = static_cast<uint8_t>(i);
        ASSERT_TRUE(device->SetOutputReport(report));
    }
    EXPECT_EQ(headset.OutputReportCount(), 14u);
    const auto kept = headset.OutputReports();
    ASSERT_EQ(kept.size(), EmulatedDevice::kKeptOutputReports);
    EXPECT_EQ(kept.front()[4], 2) << "the oldest are dropped";
    EXPECT_EQ(kept.back()[4], 13);
    const Json::Value dumped = backend.Dump(EmulatedKind::Headset)["outputReports"];
    ASSERT_EQ(dumped.size(), EmulatedDevice::kKeptOutputReports);
    EXPECT_EQ(dumped[11].asString(), ToHex(kept.back()));

    EXPECT_FALSE(device->SetOutputReport(std::vector<uint8_t>(18, 0xFF))) << "longer than declared";
    std::vector<uint8_t> undeclared(17, 0);
    undeclared[0] = 0x05;
    EXPECT_FALSE(device->SetOutputReport(undeclared));
    EXPECT_EQ(headset.OutputReportCount(), 14u);
    EXPECT_EQ(headset.ReportCount(), 0u) << "light reports are not command reports";
}

}  // namespace
}  // namespace morvek::emulator::test
