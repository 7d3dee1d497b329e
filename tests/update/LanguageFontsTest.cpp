// The font rule of a language change.
#include <gtest/gtest.h>

#include "update/LanguageFonts.h"

namespace morvek::update {
namespace {

struct FontRuleCase {
    std::optional<int> previous;
    int position;
    bool setsFont;
};

TEST(LanguageFontsTest, FontIsSetAgainForSomePositionsOnly) {
    const FontRuleCase cases[] = {
        {0, 5, true},              // position 5 after position 0
        {1, 5, false},             // position 5 after position 1
        {std::nullopt, 5, true},   // the first language
        {2, 5, true},  {15, 5, true}, {3, 5, false}, {5, 1, true}, {5, 0, true}, {5, 2, true}, {5, 15, true},
        {4, 3, false},
    };
    for (const FontRuleCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.previous.value_or(-1)) + " -> " + std::to_string(c.position));
        EXPECT_EQ(LanguageChangeSetsFont(c.previous, c.position), c.setsFont);
    }
}

TEST(LanguageFontsTest, TableHoldsTheUnderlinedAndTheBoldEntry) {
    ASSERT_NE(FindFontTableEntry(1), nullptr);
    EXPECT_TRUE(FindFontTableEntry(1)->underline);
    ASSERT_NE(FindFontTableEntry(50), nullptr);
    EXPECT_TRUE(FindFontTableEntry(50)->bold);
    EXPECT_EQ(FindFontTableEntry(50)->pixelSize, 18);
    EXPECT_EQ(FindFontTableEntry(12), nullptr);
}

}  // namespace
}  // namespace morvek::update
