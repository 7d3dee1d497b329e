// The texts of a query: application key, version texts, form body; and the version numbers.
#include <gtest/gtest.h>

#include "update/UpdateRequest.h"

namespace morvek::update {
namespace {

UpdateIdentity Identity(int hexVersion, int version, const char* product, const char* model) {
    return {hexVersion, 1, version, "MORVEK", product, model, "name", ""};
}

struct RequestCase {
    UpdateIdentity identity;
    const char* key;
    const char* versionText;
    const char* body;
};

TEST(UpdateRequestTest, KeyVersionTextAndBodyOfHexadecimalAndDecimalRows) {
    const RequestCase cases[] = {
        {Identity(1, 0x0105, "MVKPAD", "MP2"), "MORVEK_1_MVKPAD_MP2_1", "V0105",
         "app_key=MORVEK_1_MVKPAD_MP2_1&version=105"},
        {Identity(2, 0x1a2b, "MVKMOUSE", "L37"), "MORVEK_2_MVKMOUSE_L37_1", "V1a2b",
         "app_key=MORVEK_2_MVKMOUSE_L37_1&version=1a2b"},
        {Identity(0, 105, "ALL", "APP"), "MORVEK_0_ALL_APP_1", "V105", "app_key=MORVEK_0_ALL_APP_1&version=105"},
        {Identity(1, 0, "MVKKB", "K764E"), "NULL", "V0000", "app_key=NULL&version=0"},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ApplicationKey(c.identity), c.key);
        EXPECT_EQ(CurrentVersionText(c.identity), c.versionText);
        EXPECT_EQ(QueryBody(c.identity), c.body);
    }
}

TEST(UpdateRequestTest, InstalledVersionDropsTheDots) {
    const std::pair<const char*, int> cases[] = {
        {"1.0.5", 105}, {"1.0.0.1", 1001}, {"0.1.0", 10}, {"2.1beta", 21}, {"", 0}, {"beta", 0}, {"99999999999", 0},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(InstalledVersionNumber(text), number) << text;
}

struct OfferedCase {
    const char* text;
    bool hexadecimal;
    int64_t number;
};

TEST(UpdateRequestTest, OfferedVersionIsReadInTheRowsBase) {
    const OfferedCase cases[] = {
        {"106", true, 0x106}, {"106", false, 106}, {"0x10", true, 16}, {" 7", false, 7},
        {"", true, 0},        {"zz", true, 0},     {"v2", false, 0},
    };
    for (const OfferedCase& c : cases) EXPECT_EQ(OfferedVersionNumber(c.text, c.hexadecimal), c.number) << c.text;
}

}  // namespace
}  // namespace morvek::update
