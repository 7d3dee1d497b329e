#include <gtest/gtest.h>

#include <optional>

#include "devicelink/DeviceTables.h"
#include "devicelink/FunctionTabs.h"

namespace morvek {
namespace {

TEST(FunctionTabsTest, EachFunctionTypeSelectsItsTabs) {
    const struct {
        int type;
        int classNumber;
        int functionTab;
        std::optional<int> keyFunctionTab;
    } cases[] = {
        {2, kClassMousePad, 0, 1},
        {6, kClassKeyboard, 0, 1},
        {3, kClassMouse, 1, std::nullopt},
        {8, kClassHeadset, 1, std::nullopt},
        {4, kClassKeyboard, 3, std::nullopt},
        {4, kClassMouse, 3, std::nullopt},
        {4, kClassMousePad, 0, 2},
        {4, kClassHeadset, 0, 2},
        {7, kClassKeyboard, 0, 2},
        {5, kClassMousePad, 2, std::nullopt},
        {1, kClassKeyboard, 0, 0},
        {0, kClassMouse, 0, 0},
        {9, kClassMousePad, 0, 0},
        {-4, kClassKeyboard, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FunctionTabsFor(c.type, c.classNumber), (FunctionTabs{c.functionTab, c.keyFunctionTab}))
            << "type " << c.type << " class " << c.classNumber;
    }
}

}  // namespace
}  // namespace morvek
