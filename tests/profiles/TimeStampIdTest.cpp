#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "profiles/TimeStampId.h"
#include "profiles/WideText.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

TEST(TimeStampIdTest, FormatOfTheLocalTimeToTheMillisecond) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 5;
    local.tm_hour = 7;
    local.tm_min = 8;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(42);
    EXPECT_EQ(TimeStampIdAt(when), "2026_01_05_07_08_09_042");
    EXPECT_TRUE(IsPlainTimeStampId(MakeTimeStampId()));
}

TEST(TimeStampIdTest, OnlyPlainIdsCount) {
    for (const char* id : {"2026_01_05_07_08_09_042", "1999_12_31_23_59_59_999"}) EXPECT_TRUE(IsPlainTimeStampId(id)) << id;
    for (const char* id : {"", "../2026_01_05_07_08_09_042", "2026_01_05_07_08_09_042/..", "2026_01_05_07_08_09",
                           "2026_1_05_07_08_09_042", "2026_01_05_07_08_09_04a", "2026_01_05_07_08_09_042.Json",
                           "a", "/etc/passwd", "2026_01_05_07_08_09_042_"}) {
        EXPECT_FALSE(IsPlainTimeStampId(id)) << id;
    }
}

TEST(TimeStampIdTest, IdsMadeTogetherDifferWhileTheirFilesExist) {
    test::TempFolder folder;
    std::set<std::string> ids;
    for (int i = 0; i < 20; ++i) {
        const std::string id = MakeUniqueTimeStampId(folder.Path(), ".mac");
        EXPECT_TRUE(ids.insert(id).second) << id;
        std::ofstream(folder / (id + ".mac")) << "x";
    }
}

TEST(WideTextTest, RoundTripsAndReplacesBrokenSequences) {
    const std::wstring wide = L"Profil \u00e4\u00f6\u00fc \u914d\u7f6e \U0001F3AE";
    EXPECT_EQ(WideFromUtf8(Utf8FromWide(wide)), wide);
    EXPECT_EQ(Utf8FromWide(L"\u00e4"), "\xc3\xa4");
    EXPECT_EQ(WideFromUtf8("a\xff" "b"), L"a\ufffd" L"b");
    EXPECT_EQ(WideFromUtf8("\xc0\xaf"), L"\ufffd\ufffd");  // overlong encoding of '/'
    EXPECT_EQ(WideFromUtf8("\xe4\xb8"), L"\ufffd");        // cut short
}

}  // namespace
}  // namespace morvek
