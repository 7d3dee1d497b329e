// A query's answer turned into a row: the version comparison of hexadecimal and decimal rows,
// answers that are no answer, and the fields taken over.
#include <gtest/gtest.h>

#include "update/UpdateAnswer.h"

namespace morvek::update {
namespace {

const UpdateIdentity kPad{1, 1, 0x0105, "MORVEK", "MVKPAD", "MP2", "MP2", ""};
const UpdateIdentity kApplication{0, 1, 105, "MORVEK", "ALL", "APP", "AP", "1.0.5"};

QueryOutcome Interpret(const UpdateIdentity& identity, const std::string& answer) {
    return InterpretAnswer(identity, static_cast<int>(answer.size()), answer);
}

struct ComparisonCase {
    const UpdateIdentity* identity;
    const char* answer;
    int state;
    const char* currentText;
    const char* newText;
};

TEST(UpdateAnswerTest, VersionComparisonGivesTheRowState) {
    const ComparisonCase cases[] = {
        // "106" on a hexadecimal row is 0x106, newer than 0x105.
        {&kPad, R"({"version":"106","version_name":"pad 1.06"})", kRowOffered, "V0105", "V106"},
        {&kPad, R"({"version":"105"})", kRowUpToDate, "V0105", "V105"},
        {&kPad, R"({"version":"104"})", kRowUpToDate, "V0105", "V104"},
        // A number instead of a text reads the same.
        {&kPad, R"({"version":106})", kRowOffered, "V0105", "V106"},
        // Decimal rows compare decimal numbers and show the version name.
        {&kApplication, R"({"version":"105","version_name":"1.0.5"})", kRowUpToDate, "1.0.5", "1.0.5"},
        {&kApplication, R"({"version":"106","version_name":"1.0.6"})", kRowOffered, "1.0.5", "1.0.6"},
        {&kApplication, R"({"version":"not a number"})", kRowUpToDate, "1.0.5", ""},
    };
    for (const ComparisonCase& c : cases) {
        SCOPED_TRACE(c.answer);
        const QueryOutcome outcome = Interpret(*c.identity, c.answer);
        ASSERT_TRUE(outcome.info);
        EXPECT_FALSE(outcome.noLink);
        EXPECT_EQ(outcome.info->state, c.state);
        EXPECT_EQ(outcome.info->currentVersionText, c.currentText);
        EXPECT_EQ(outcome.info->newVersionText, c.newText);
    }
}

TEST(UpdateAnswerTest, FieldsOfTheAnswerAreTakenOver) {
    const QueryOutcome outcome = Interpret(kPad, R"({"version":"106","version_name":"1.06","name":"Pad firmware",
        "path":"https://example.org/pad.bin","device_id":"2","sha256":"ABCDEF"})");
    ASSERT_TRUE(outcome.info);
    EXPECT_EQ(outcome.info->name, "Pad firmware");
    EXPECT_EQ(outcome.info->versionName, "1.06");
    EXPECT_EQ(outcome.info->downloadAddress, "https://example.org/pad.bin");
    EXPECT_EQ(outcome.info->deviceId, 2);
    EXPECT_EQ(outcome.info->sha256, "abcdef");
}

struct NoAnswerCase {
    const char* what;
    int bytes;
    const char* answer;
    bool noLink;
};

TEST(UpdateAnswerTest, WhatIsNoAnswerLeavesTheRowAsPrepared) {
    const NoAnswerCase cases[] = {
        {"no connection", 0, "NO_LINK_SERVER", true},
        {"empty answer", 0, "", false},
        {"not JSON", 9, "<html/>", false},
        {"not an object", 5, "[106]", false},
        {"no version", 17, R"({"name":"Pad 2"})", false},
    };
    for (const NoAnswerCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QueryOutcome outcome = InterpretAnswer(kPad, c.bytes, c.answer);
        EXPECT_EQ(outcome.noLink, c.noLink);
        EXPECT_FALSE(outcome.info);
    }
}

}  // namespace
}  // namespace morvek::update
