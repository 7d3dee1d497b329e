// "updatetime.config": the last check's date, written when missing, kept otherwise.
#include <gtest/gtest.h>

#include <fstream>

#include "profiles/JsonFile.h"
#include "support/TempFolder.h"
#include "update/UpdateSchedule.h"

namespace morvek::update {
namespace {

TEST(UpdateScheduleTest, DatesHaveNoLeadingZeros) {
    EXPECT_EQ(DateText(2026, 3, 7), "2026-3-7");
    EXPECT_EQ(DateText(2026, 12, 10), "2026-12-10");
}

struct ScheduleCase {
    const char* what;
    const char* content;  // nullptr: no file
    const char* shown;
    bool written;
};

TEST(UpdateScheduleTest, OpeningShowsTheStoredDateOrWritesToday) {
    const ScheduleCase cases[] = {
        {"no file", nullptr, "2026-3-7", true},
        {"stored date", R"({"updatelasttime":{"value":"2025-1-2"}})", "2025-1-2", false},
        {"value of another type", R"({"updatelasttime":{"value":5}})", "2026-3-7", true},
        {"broken file", "{", "2026-3-7", true},
    };
    for (const ScheduleCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder folder;
        const auto file = folder / "sub" / "updatetime.config";
        if (c.content != nullptr) {
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file) << c.content;
        }
        EXPECT_EQ(OpenSchedule(file, "2026-3-7"), c.shown);
        const Json::Value stored = readjsonFile(file);
        EXPECT_EQ(stored["updatelasttime"]["value"].asString() == "2026-3-7", c.written);
    }
}

TEST(UpdateScheduleTest, WritingTheDateKeepsTheRestOfTheFile) {
    test::TempFolder folder;
    const auto file = folder / "updatetime.config";
    std::ofstream(file) << R"({"other":1,"updatelasttime":{"value":"2025-1-2"}})";
    ASSERT_TRUE(WriteCheckDate(file, "2026-3-7"));
    const Json::Value stored = readjsonFile(file);
    EXPECT_EQ(stored["updatelasttime"]["value"].asString(), "2026-3-7");
    EXPECT_EQ(stored["other"].asInt(), 1);
}

}  // namespace
}  // namespace morvek::update
