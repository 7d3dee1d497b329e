#include <gtest/gtest.h>

#include "profiles/ProfileNames.h"

namespace morvek {
namespace {

TEST(ProfileNamesTest, NamesCompareIgnoringCaseInAnyScript) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Profile1", "PROFILE1", true},
        {"\xc3\x84rger", "\xc3\xa4RGER", true},            // Ärger / äRGER
        {"\xd0\x96\xd1\x83\xd0\xba", "\xd0\xb6\xd0\xa3\xd0\x9a", true},  // Жук / жУК
        {"profile1", "profile1 ", false},
        {"profile", "profile1", false},
        {"a", "\xc3\xa4", false},
        {"", "", true},
    };
    for (const Case& c : cases) EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(ProfileNamesTest, NewCopyAndImportNames) {
    const std::vector<std::string> names = {"PROFILE1", "profile3", "A", "a COPY", "A(1)"};
    EXPECT_EQ(NewProfileName(names), "profile2");
    EXPECT_EQ(NewProfileName({}), "profile1");
    EXPECT_EQ(CopyProfileName("A", names), "A copy copy");
    EXPECT_EQ(CopyProfileName("B", names), "B copy");
    EXPECT_EQ(ImportProfileName("A", names), "A(1)(2)");
    EXPECT_EQ(ImportProfileName("new", names), "new");
}

}  // namespace
}  // namespace morvek
