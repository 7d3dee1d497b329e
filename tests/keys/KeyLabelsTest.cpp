#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/keys/KeyDefaultTable.h"
#include "devices/keys/KeyLabels.h"

namespace morvek {
namespace {

// Marks every translated id, so the test sees which parts went through translation.
std::string Bracketed(std::string_view id) { return "[" + std::string(id) + "]"; }

const std::vector<std::string> kMacroNames = {"Reload", "Combo"};

TEST(KeyLabelsTest, LabelOfEachFunction) {
    const struct {
        KeyAssignment assignment;
        const char* text;
    } cases[] = {
        {{0x20, 0x00, 0x04}, "[keyboard_key_A]"},
        {{0x20, 0x10, 0x00}, "[keyboard_key_RCtrl]"},
        {{0x20, 0x01, 0x12}, "[keyboard_key_LCtrl]+[keyboard_key_O]"},
        {{0x20, 0x40, 0x58}, "[keyboard_key_RAlt]+[keyboard_key_Num Enter]"},
        {{0x20, 0x03, 0x12}, "[keyboard_key_O]"},  // two modifiers: the key alone
        {{0x20, 0x03, 0x00}, ""},
        {{0x20, 0x00, 0x99}, ""},                  // a usage without a name
        {{0x20, 0xE9, 0x00}, ""},                  // not the consumer row with these bytes
        {{0x20, 0x00, 0x00}, "[close_text]"},
        {{0x00, 0x00, 0x00}, "[close_text]"},
        {{0x10, 0x04, 0x00}, "[mouse_key_middle]"},
        {{0x10, 0x08, 0x00}, "[mouse_key_back]"},
        {{0x11, 0x35, 0x85}, "[mouse_key_right_Swing]"},
        {{0x11, 0x35, 0x05}, "[mouse_key_left_Swing]"},
        {{0x12, 0x00, 0xFD}, "[mouse_key_down_Swing]"},
        {{0x12, 0x00, 0x03}, "[mouse_key_up_Swing]"},
        {{0x13, 0x03, 0x00}, "[mouse_key_DPI_loop]"},
        {{0x14, 0x20, 0x05}, "[mouse_key_fire_key]"},
        {{0x30, 0xE9, 0x00}, "[media_vol_add]"},
        {{0x30, 0x26, 0x02}, "[wed_stop]"},
        {{0x30, 0x8A, 0x01}, "[media_mail]"},
        {{0x40, 0x02, 0x00}, "[system_sleep]"},
        {{0x70, 0x01, 0x02}, "Combo"},
        {{0x71, 0x00, 0x2C}, "Reload"},
        {{0x71, 0x02, 0x2C}, ""},  // no such macro
        {{0xA0, 0x01, 0x00}, "[keyboard_key_FN]"},
        {{0xA0, 0x1B, 0x00}, "[keyboard_key_GM]"},
        {{0xA0, 0x24, 0x00}, ""},
        {{0xD0, 0xA2, 0x06}, "[keyboard_key_M6]"},
        {{0x15, 0x01, 0x00}, ""},
        {{0xB0, 0x01, 0x00}, ""},
        {{0x99, 0x01, 0x00}, "[close_text]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyLabelFor(c.assignment, kMacroNames).Text(Bracketed), c.text) << std::hex << c.assignment.Pack();
    }
}

TEST(KeyLabelsTest, ButtonsShowTheFactoryFunctionAndHighlightChangedKeys) {
    constexpr int kA = 64;
    constexpr int kLCtrl = 105;
    std::vector<KeyListEntry> keys;
    for (int i = 0; i < kKeyCount; ++i) {
        keys.push_back({uint16_t(i), DefaultKeyTable()[i], uint16_t(i), DefaultKeyTable()[i]});
    }
    keys[kA].current = {0x70, 0, 0};
    keys[kLCtrl].current = {0x20, 0x10, 0};

    const std::vector<KeyButtonLabel> labels = RefreshKeyLabels(keys, kMacroNames);
    ASSERT_EQ(labels.size(), keys.size());
    for (int i = 0; i < kKeyCount; ++i) {
        EXPECT_EQ(labels[i].highlighted, i == kA || i == kLCtrl) << "key " << i;
    }
    EXPECT_EQ(labels[kA].defaultLabel.Text(Bracketed), "[keyboard_key_A]");
    EXPECT_EQ(labels[kA].label.Text(Bracketed), "Reload");
    EXPECT_EQ(labels[kLCtrl].defaultLabel.Text(Bracketed), "[keyboard_key_LCtrl]");
    EXPECT_EQ(labels[kLCtrl].label.Text(Bracketed), "[keyboard_key_RCtrl]");
    EXPECT_EQ(labels[120].label.Text(Bracketed), "[keyboard_key_M1]");
}

TEST(KeyLabelsTest, MouseButtonsCompareWithTheirOwnDefaults) {
    // Left, right and DPI cycle, as the mouse's key list holds them; the right one is changed.
    std::vector<KeyListEntry> buttons = {{0, {0x10, 0x01, 0}, 0, {0x10, 0x01, 0}},
                                         {1, {0x10, 0x04, 0}, 1, {0x10, 0x02, 0}},
                                         {2, {0x13, 3, 0}, 2, {0x13, 3, 0}}};
    const std::vector<KeyButtonLabel> labels = RefreshButtonLabels(buttons, kMacroNames);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_FALSE(labels[0].highlighted);
    EXPECT_TRUE(labels[1].highlighted);
    EXPECT_FALSE(labels[2].highlighted);
    EXPECT_EQ(labels[1].label.Text(Bracketed), "[mouse_key_middle]");
    EXPECT_EQ(labels[1].defaultLabel.Text(Bracketed), "[mouse_key_right]");
    EXPECT_EQ(labels[2].defaultLabel.Text(Bracketed), "[mouse_key_DPI_loop]");
    // The keyboard's matrix would take button 0 for Esc and mark it changed.
    EXPECT_TRUE(RefreshKeyLabels(buttons, kMacroNames)[0].highlighted);
}

}  // namespace
}  // namespace morvek
