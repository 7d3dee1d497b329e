#include <gtest/gtest.h>

#include <json/value.h>

#include <algorithm>
#include <set>
#include <utility>

#include "devices/keys/KeyDefaultTable.h"
#include "devices/keys/KeyFunctionTables.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyIndex.h"
#include "devices/keys/KeyNameTable.h"
#include "profiles/JsonFile.h"
#include "support/SourcePaths.h"

namespace morvek {
namespace {

TEST(KeyTablesTest, ShippedKeyboardTemplateHoldsTheDefaultKeyTable) {
    const Json::Value document = readjsonFile(std::filesystem::path(test::SourceDataDir()) / "keyboard.Json");
    const Json::Value& keys = document["Device"][0]["KeyList"];
    ASSERT_TRUE(keys.isArray());
    ASSERT_EQ(keys.size(), DefaultKeyTable().size());
    for (Json::ArrayIndex i = 0; i < keys.size(); ++i) {
        const uint32_t expected = DefaultKeyTable()[i].Pack();
        EXPECT_EQ(keys[i]["DefaultAssignment"].asUInt(), expected) << "key " << i;
        EXPECT_EQ(keys[i]["Assignment"].asUInt(), expected) << "key " << i;
    }
}

TEST(KeyTablesTest, BuiltInKeysAreTheKeysWithBuiltInFunctions) {
    for (int key = 0; key < kKeyCount; ++key) {
        const uint8_t type = DefaultKeyTable()[key].type;
        const bool macroOrFn = type == 0xD0 || DefaultKeyTable()[key] == KeyAssignment{0xA0, 0x01, 0};
        const bool listed = std::find(kBuiltInKeys.begin(), kBuiltInKeys.end(), key) != kBuiltInKeys.end();
        EXPECT_EQ(listed, macroOrFn) << "key " << key;
    }
    EXPECT_EQ(DefaultKeyTable()[kKeyM1], (KeyAssignment{0xD0, 0xA2, 1}));
}

TEST(KeyTablesTest, CaptureFindsKeysByScanCodeAndExtendedFlag) {
    const struct {
        uint8_t scan;
        bool extended;
        KeyAssignment assignment;
        const char* label;
    } cases[] = {
        {0x1C, false, {0x20, 0, 0x28}, "keyboard_key_Enter"},
        {0x1C, true, {0x20, 0, 0x58}, "keyboard_key_Num Enter"},
        {0x1D, false, {0x20, 0x01, 0}, "keyboard_key_LCtrl"},
        {0x1D, true, {0x20, 0x10, 0}, "keyboard_key_RCtrl"},
        {0x57, false, {0x20, 0, 0x44}, "keyboard_key_F11"},
        {0x56, false, {0x20, 0, 0x64}, "keyboard_key_K45"},
        {0x45, false, {0x20, 0, 0x48}, "keyboard_key_Pause"},
        {0x45, true, {0x20, 0, 0x53}, "keyboard_key_Num Lock"},
    };
    for (const auto& c : cases) {
        const auto row = FindCaptureRow(c.scan, c.extended);
        ASSERT_TRUE(row) << c.label;
        EXPECT_EQ(KeyCaptureTable()[*row].assignment, c.assignment) << c.label;
        EXPECT_EQ(KeyCaptureTable()[*row].label, c.label);
    }
    EXPECT_FALSE(FindCaptureRow(0x00, false));
    EXPECT_FALSE(FindCaptureRow(0x1E, true));
}

TEST(KeyTablesTest, EveryCaptureRowIsReachableAndEveryPlainKeyNamedOnce) {
    std::set<std::pair<uint8_t, bool>> scans;
    std::set<uint8_t> usages;
    for (size_t i = 0; i < KeyCaptureTable().size(); ++i) {
        const KeyNameRow& row = KeyCaptureTable()[i];
        EXPECT_TRUE(scans.insert({row.scanCode, row.extended}).second) << row.label;
        EXPECT_EQ(row.assignment.type, kKeyTypeKeyboard) << row.label;
        if (i >= kModifierRows) {
            EXPECT_EQ(row.assignment.p1, 0) << row.label;
            EXPECT_TRUE(usages.insert(row.assignment.p2).second) << row.label;
        } else {
            EXPECT_EQ(row.assignment.p1, 1 << i) << row.label;
        }
    }
}

TEST(KeyTablesTest, EveryOfferedFunctionHasAName) {
    // The key labels and the keyboard page show these functions by their name rows.
    const auto named = [](const KeyAssignment& a) {
        const auto rows = KeyNameTable();
        return std::any_of(rows.begin(), rows.end(), [&](const KeyNameRow& r) { return r.assignment == a; });
    };
    for (const KeyAssignment& a : DefaultKeyTable()) {
        if (a != KeyAssignment{0x20, 0, 0} && a != KeyAssignment{0xA0, 0x24, 0}) {
            EXPECT_TRUE(named(a)) << std::hex << a.Pack();
        }
    }
    for (const KeyAssignment& a : MediaKeyTable()) EXPECT_TRUE(named(a)) << std::hex << a.Pack();
    for (const KeyAssignment& a : SystemKeyTable()) EXPECT_TRUE(named(a)) << std::hex << a.Pack();
    for (const KeyAssignment& a : ComboKeyTable()) {
        EXPECT_EQ(a.p1, kModifierLCtrl);
        EXPECT_TRUE(FindKeyRow(a.p2)) << std::hex << a.Pack();
    }
}

}  // namespace
}  // namespace morvek
