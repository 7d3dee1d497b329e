#include <gtest/gtest.h>
#include <json/reader.h>

#include "macros/JsonNumber.h"
#include "macros/MacroEvent.h"

namespace morvek {
namespace {

Json::Value Parse(const std::string& text) {
    Json::Value v;
    Json::Reader().parse(text, v);
    return v;
}

TEST(MacroEventTest, DelayReadsTheSameAsNumberOrText) {
    const MacroEvent number = MacroEvent::FromJson(Parse(R"({"Action":"down","Button":4,"Type":10,"Delay":25})"));
    const MacroEvent text = MacroEvent::FromJson(Parse(R"({"Action":"down","Button":4,"Type":10,"Delay":"25"})"));
    EXPECT_EQ(number, text);
    EXPECT_EQ(number, (MacroEvent{kMacroEventKey, 4, true, 25}));
    // Written back, the delay is decimal text.
    EXPECT_EQ(number.ToJson()["Delay"], Json::Value("25"));
    EXPECT_EQ(number.ToJson()["Action"], Json::Value("down"));
}

TEST(MacroEventTest, OnlyExactlyDownIsAPress) {
    for (const char* action : {"up", "Down", "DOWN", "", "pressed"}) {
        Json::Value e;
        e["Action"] = action;
        EXPECT_FALSE(MacroEvent::FromJson(e).down) << action;
    }
}

TEST(MacroEventTest, MalformedElementsReadAsZeroWithoutThrowing) {
    const char* cases[] = {
        R"(null)",
        R"("down")",
        R"([1, 2])",
        R"({"Action":["down"],"Button":{"a":1},"Type":[10],"Delay":{"ms":5}})",
        R"({"Action":7,"Button":true,"Type":"x","Delay":"soon"})",
    };
    for (const char* text : cases) {
        MacroEvent e;
        EXPECT_NO_THROW(e = MacroEvent::FromJson(Parse(text))) << text;
        EXPECT_EQ(e, MacroEvent{}) << text;
    }
}

TEST(MacroEventTest, DelayOnTheDeviceStaysWithinSixteenBits) {
    struct Case {
        long long stored;
        uint16_t ms;
    } cases[] = {{0, 0}, {65535, 65535}, {65536, 65535}, {70000, 65535}, {-5, 0}};
    for (const Case& c : cases) EXPECT_EQ((MacroEvent{kMacroEventKey, 4, true, c.stored}.DelayMs()), c.ms) << c.stored;
}

TEST(MacroEventTest, IntegersOfText) {
    struct Case {
        const char* text;
        long long value;
    } cases[] = {{"25", 25},   {" 25ms", 25}, {"-12", -12}, {"+7", 7},  {"", 0},
                 {"abc", 0},   {"0x10", 0},   {"007", 7},   {"99999999999999999999999", 9223372036854775807LL}};
    for (const Case& c : cases) EXPECT_EQ(IntegerOfText(c.text), c.value) << c.text;
    EXPECT_EQ(JsonIntegerOrText(Json::Value(12.9)), 12);
    EXPECT_EQ(JsonIntegerOrText(Json::Value(Json::UInt64(1) << 63)), 9223372036854775807LL);
    EXPECT_EQ(JsonIntegerOrText(Json::Value(true)), 0);
}

}  // namespace
}  // namespace morvek
