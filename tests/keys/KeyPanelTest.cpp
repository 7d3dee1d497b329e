#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "devices/keys/KeyLabels.h"
#include "devices/keys/KeyPanel.h"

namespace morvek {
namespace {

constexpr KeyAssignment kKeyA{0x20, 0, 0x04};
constexpr KeyAssignment kHeldSwing{0x11, 0x21, 0x0A};

KeyPanelState Panel(KeyPanelDevice device = KeyPanelDevice::Keyboard) {
    KeyPanelState panel;
    panel.device = device;
    panel.macroCount = 3;
    HoldEntry(panel, {64, kHeldSwing, 64, kKeyA});
    return panel;
}

TEST(KeyPanelTest, BuildsTheAssignmentOfEachPage) {
    const struct {
        const char* name;
        std::function<void(KeyPanelState&)> fill;
        KeyAssignment expected;
    } cases[] = {
        {"default page", [](KeyPanelState& p) { p.functionPage = kPageDefault; }, kKeyA},
        {"no page selected", [](KeyPanelState& p) { p.functionPage.reset(); }, kKeyA},
        {"unknown page", [](KeyPanelState& p) { p.functionPage = 12; }, kKeyA},
        {"mouse right", [](KeyPanelState& p) { p.functionPage = kPageMouseButton, p.mouseKeyItem = 2; },
         {0x10, 0x02, 0}},
        {"mouse item out of range", [](KeyPanelState& p) { p.functionPage = kPageMouseButton, p.mouseKeyItem = 5; },
         kHeldSwing},
        {"swing count 130 delay 17",
         [](KeyPanelState& p) {
             p.functionPage = kPageSwing, p.swingCount = "130", p.swingDelay = "17", p.swingSpeed = "3";
             p.swingDirectionItem = 1;
         },
         {0x11, 0x13, 0x82}},
        {"swing without direction keeps the count byte",
         [](KeyPanelState& p) { p.functionPage = kPageSwing, p.swingCount = "5", p.swingDirectionItem = kNoItem; },
         {0x11, 0x21, 0x0A}},
        {"wheel 3 second direction",
         [](KeyPanelState& p) { p.functionPage = kPageWheel, p.wheelCount = "3", p.wheelDirectionItem = 1; },
         {0x12, 0x00, 0xFD}},
        {"wheel 0 second direction",
         [](KeyPanelState& p) { p.functionPage = kPageWheel, p.wheelCount = "0", p.wheelDirectionItem = 1; },
         {0x12, 0x00, 0x80}},
        {"wheel 3 first direction, delay 2 speed 15",
         [](KeyPanelState& p) {
             p.functionPage = kPageWheel, p.wheelCount = "3", p.wheelDirectionItem = 0;
             p.wheelDelay = "2", p.wheelSpeed = "15";
         },
         {0x12, 0x2F, 0x03}},
        {"rapid fire low bytes, text as 0",
         [](KeyPanelState& p) { p.functionPage = kPageRapidFire, p.fireInterval = "300", p.fireCount = "many"; },
         {0x14, 44, 0}},
        {"keyboard Alt with held key",
         [](KeyPanelState& p) {
             p.functionPage = kPageKeyboard, p.modifierOption = 3, p.keyboardKeyLabel = "keyboard_key_K";
             p.held.current.p2 = 0x0E;
         },
         {0x20, 0x04, 0x0E}},
        {"keyboard with empty key",
         [](KeyPanelState& p) { p.functionPage = kPageKeyboard, p.modifierOption = 4, p.keyboardKeyLabel.clear(); },
         {0x20, 0x08, 0}},
        {"media play", [](KeyPanelState& p) { p.functionPage = kPageMedia, p.mediaItem = 1; }, {0x30, 0xCD, 0x00}},
        {"system wake", [](KeyPanelState& p) { p.functionPage = kPageSystem, p.systemItem = 2; }, {0x40, 0x04, 0}},
        {"combo Ctrl+O", [](KeyPanelState& p) { p.functionPage = kPageCombo, p.comboItem = 0; }, {0x20, 0x01, 0x12}},
        {"macro repeat mode",
         [](KeyPanelState& p) { p.functionPage = kPageMacro, p.macroItem = 2, p.macroRepeatItem = 3; },
         {0x70, 2, 3}},
        {"macro 300 times",
         [](KeyPanelState& p) {
             p.functionPage = kPageMacro, p.macroItem = 1, p.macroRepeatItem = 4, p.macroCycleCount = "300";
         },
         {0x71, 1, 44}},
        {"macro without repeat item",
         [](KeyPanelState& p) { p.functionPage = kPageMacro, p.macroItem = 0, p.macroRepeatItem = kNoItem; },
         {0x70, 0, 0}},
        {"macro one past the list",
         [](KeyPanelState& p) { p.functionPage = kPageMacro, p.macroItem = 3, p.macroRepeatItem = 1; },
         kHeldSwing},
        {"gun key", [](KeyPanelState& p) { p.functionPage = kPageGunKey, p.gunItem = 2; }, {0x72, 2, 0}},
        {"DPI without item", [](KeyPanelState& p) { p.functionPage = kPageDpi, p.dpiItem = kNoItem; }, kHeldSwing},
    };
    for (const auto& c : cases) {
        KeyPanelState panel = Panel(KeyPanelDevice::Mouse);
        c.fill(panel);
        const KeyListEntry built = BuildAssignmentFromPanel(panel);
        EXPECT_EQ(built.current, c.expected) << c.name;
        EXPECT_EQ(built.defaults, kKeyA) << c.name;
        EXPECT_EQ(panel.held, built) << c.name;
    }
}

TEST(KeyPanelTest, ShownAssignmentsBuildBackUnchanged) {
    const KeyAssignment assignments[] = {
        {0x10, 0x10, 0},    {0x11, 0xF3, 0x85}, {0x11, 0x00, 0x7F}, {0x12, 0x12, 0xFD}, {0x12, 0x00, 0x80},
        {0x12, 0x34, 0x7F}, {0x13, 0x02, 0},    {0x14, 0xFF, 0x00}, {0x20, 0x00, 0x2C}, {0x20, 0x02, 0x1D},
        {0x20, 0x08, 0x00}, {0x30, 0x8A, 0x01}, {0x40, 0x01, 0},    {0x70, 2, 3},       {0x71, 0, 44},
        {0x72, 3, 0},
    };
    for (const KeyAssignment& a : assignments) {
        KeyPanelState panel = Panel(KeyPanelDevice::Mouse);
        HoldEntry(panel, {64, a, 64, kKeyA});
        ASSERT_TRUE(panel.layoutVisible) << std::hex << a.Pack();
        EXPECT_EQ(panel.tab, panel.functionPage);
        EXPECT_EQ(BuildAssignmentFromPanel(panel).current, a) << std::hex << a.Pack();
    }
}

TEST(KeyPanelTest, ShowsWheelCountsAndKeyboardKeys) {
    KeyPanelState panel = Panel();
    ShowAssignment(panel, {0x12, 0x00, 0xFD});
    EXPECT_EQ(panel.functionPage, kPageWheel);
    EXPECT_EQ(panel.wheelCount, "3");
    EXPECT_EQ(panel.wheelDirectionItem, 1);
    ShowAssignment(panel, {0x12, 0x00, 0x80});
    EXPECT_EQ(panel.wheelCount, "128");

    ShowAssignment(panel, {0x20, 0x01, 0x12});
    EXPECT_EQ(panel.functionPage, kPageKeyboard);
    EXPECT_EQ(panel.modifierOption, 1);
    EXPECT_EQ(panel.keyboardKeyLabel, "keyboard_key_O");

    ShowAssignment(panel, {0x20, 0x03, 0x12});
    EXPECT_EQ(panel.modifierOption, 0);
    EXPECT_EQ(panel.keyboardKeyLabel, "keyboard_key_O");

    ShowAssignment(panel, {0x20, 0x40, 0x00});  // the key of the previous assignment does not stay
    EXPECT_EQ(panel.modifierOption, 3);
    EXPECT_EQ(panel.keyboardKeyLabel, "");

    ShowAssignment(panel, {0x20, 0x00, 0x99});
    EXPECT_EQ(panel.modifierOption, kNoItem);
    EXPECT_EQ(panel.keyboardKeyLabel, "");
    EXPECT_EQ(panel.held.current, (KeyAssignment{0x20, 0, 0}));

    ShowAssignment(panel, kKeyA);  // the held default
    EXPECT_EQ(panel.functionPage, kPageDefault);
    EXPECT_TRUE(panel.layoutVisible);
}

TEST(KeyPanelTest, FunctionsWithoutAPageOnTheKeyboardHideTheLayout) {
    for (const KeyAssignment a : {KeyAssignment{0x13, 1, 0}, KeyAssignment{0x72, 0, 0}, KeyAssignment{0xA0, 0x01, 0},
                                  KeyAssignment{0xD0, 0xA2, 1}}) {
        KeyPanelState panel = Panel();
        ShowAssignment(panel, a);
        EXPECT_FALSE(panel.layoutVisible) << std::hex << a.Pack();
        EXPECT_EQ(panel.functionPage, kPageSwing) << "the list keeps its item";
    }
    KeyPanelState mouse = Panel(KeyPanelDevice::Mouse);
    ShowAssignment(mouse, {0x13, 1, 0});
    EXPECT_TRUE(mouse.layoutVisible);
    EXPECT_EQ(mouse.dpiItem, 0);
    EXPECT_FALSE(PanelOffersPage(KeyPanelDevice::Keyboard, kPageGunKey));
    EXPECT_TRUE(PanelOffersPage(KeyPanelDevice::Keyboard, kPageCombo));
    EXPECT_FALSE(PanelOffersPage(KeyPanelDevice::Mouse, 12));
}

TEST(KeyPanelTest, MacrosOutsideTheListSelectNothing) {
    KeyPanelState panel = Panel();
    ShowAssignment(panel, {0x71, 1, 44});
    EXPECT_EQ(panel.macroItem, 1);
    EXPECT_EQ(panel.macroRepeatItem, kMacroRepeatCountItem);
    EXPECT_TRUE(panel.macroCycleVisible);
    EXPECT_EQ(panel.macroCycleCount, "44");

    ShowAssignment(panel, {0x71, 3, 44});
    EXPECT_EQ(panel.macroItem, kNoItem);
    EXPECT_EQ(panel.macroRepeatItem, kNoItem);
    EXPECT_FALSE(panel.macroCycleVisible);

    ShowAssignment(panel, {0x70, 0, 9});
    EXPECT_EQ(panel.macroItem, 0);
    EXPECT_EQ(panel.macroRepeatItem, kNoItem);

    SelectMacroRepeat(panel, kMacroRepeatCountItem);
    EXPECT_TRUE(panel.macroCycleVisible);
    SelectMacroRepeat(panel, 2);
    EXPECT_FALSE(panel.macroCycleVisible);
}

TEST(KeyPanelTest, SelectingTheKeyboardPageStoresTheDisabledKey) {
    KeyPanelState panel = Panel();
    ShowAssignment(panel, {0x20, 0x02, 0x04});
    SelectFunctionPage(panel, kPageKeyboard);
    const KeyListEntry built = BuildAssignmentFromPanel(panel);
    EXPECT_EQ(built.current, (KeyAssignment{0x20, 0, 0}));
    EXPECT_EQ(KeyLabelFor(built.current, {}).parts, (KeyLabel{{{"close_text", true}}}.parts));
}

TEST(KeyPanelTest, CapturedKeysSetTheModifierOrTheKey) {
    KeyPanelState panel = Panel();
    SelectFunctionPage(panel, kPageKeyboard);

    ASSERT_TRUE(CaptureKey(panel, 0x1D, true));  // RCtrl
    EXPECT_EQ(panel.modifierOption, 1);
    EXPECT_EQ(BuildAssignmentFromPanel(panel).current, (KeyAssignment{0x20, 0x01, 0}));

    ASSERT_TRUE(CaptureKey(panel, 0x1C, true));  // keypad Enter keeps Ctrl
    EXPECT_EQ(panel.keyboardKeyLabel, "keyboard_key_Num Enter");
    EXPECT_EQ(BuildAssignmentFromPanel(panel).current, (KeyAssignment{0x20, 0x01, 0x58}));

    ASSERT_TRUE(CaptureKey(panel, 0x36, true));  // RShift drops the key
    EXPECT_EQ(BuildAssignmentFromPanel(panel).current, (KeyAssignment{0x20, 0x02, 0}));

    const KeyPanelState before = panel;
    EXPECT_FALSE(CaptureKey(panel, 0x1E, true));  // no such key
    EXPECT_EQ(panel.held, before.held);
    EXPECT_EQ(panel.keyboardKeyLabel, before.keyboardKeyLabel);

    KeyPanelState fresh = Panel();
    SelectFunctionPage(fresh, kPageKeyboard);
    ASSERT_TRUE(CaptureKey(fresh, 0x1C, false));  // Enter with no option chosen
    EXPECT_EQ(fresh.modifierOption, 0);
    EXPECT_EQ(BuildAssignmentFromPanel(fresh).current, (KeyAssignment{0x20, 0, 0x28}));
}

TEST(KeyPanelTest, EditNumbersReadDecimalText) {
    const struct {
        const char* text;
        int64_t value;
    } cases[] = {{"42", 42}, {" 7", 7}, {"-3", -3}, {"+5", 5}, {"12ab", 12}, {"", 0}, {"abc", 0},
                 {"99999999999999999999", 0}};
    for (const auto& c : cases) EXPECT_EQ(EditNumber(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace morvek
