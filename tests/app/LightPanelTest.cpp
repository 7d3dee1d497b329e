// The light panel of every page, driven through its widgets: the emulated devices' settings
// blocks follow the panel as they follow the command line, the colour edits keep their
// range, mode 38 paints keys, and the same light goes to every shown device.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

#include "app/PanelFixture.h"
#include "app/QtPrinters.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/panels/CLightControlUI.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

class LightPanelTest : public test::PanelTest {
protected:
    bool WaitForByte(EmulatedKind kind, size_t offset, uint8_t value) {
        return QTest::qWaitFor([&] { return Emulated(kind).Params()[offset] == value; }, 2000);
    }
    // The keyboard's settings block of profile 0 (bytes 0-24).
    static std::vector<uint8_t> KeyboardBlock(const std::vector<uint8_t>& params) {
        return {params.begin(), params.begin() + 25};
    }
};

struct ModeCase {
    int mode;
    uint8_t written;  // byte 1 of the keyboard's block
};

TEST_F(LightPanelTest, AModeChosenWritesTheSameBlockAsTheCommandLine) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    auto* combo = On<QComboBox>(kKindKeyboard, "light_combo_modeSelect");
    ASSERT_EQ(combo->count(), 40);
    EXPECT_EQ(combo->itemText(6), "Static");
    for (const ModeCase c : {ModeCase{6, 6}, ModeCase{14, 14}, ModeCase{34, 0}}) {
        SCOPED_TRACE(c.mode);
        ChooseItem(combo, c.mode);
        ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, 1, c.written));
        // A mode of 25 or more is stored and shown, and written as 0.
        EXPECT_EQ(Document("keyboard")["Device"][0]["LightInfo"]["SelectItem"].asInt(), c.mode);
        EXPECT_EQ(combo->currentIndex(), c.mode);
        const emulator::FirmwareMemory commandLine =
            AfterCommandLine(EmulatedKind::Keyboard, "keyboard", {{"light", "keyboard", "--mode", std::to_string(c.mode)}});
        EXPECT_EQ(KeyboardBlock(Emulated(EmulatedKind::Keyboard).Params()), KeyboardBlock(commandLine.params));
    }
}

TEST_F(LightPanelTest, ModesShowOnlyTheControlsTheyUse) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    auto* combo = On<QComboBox>(kKindKeyboard, "light_combo_modeSelect");
    ChooseItem(combo, 14);  // vertical wave: up and down, no speed
    WAIT_FOR(!On<QWidget>(kKindKeyboard, "deng_fx_updown_layout")->isHidden());
    EXPECT_TRUE(On<QWidget>(kKindKeyboard, "deng_fx_layout")->isHidden());
    EXPECT_FALSE(On<QSlider>(kKindKeyboard, "deng_speed_slider")->isEnabled());
    EXPECT_TRUE(On<QWidget>(kKindKeyboard, "lightcustom_layout")->isHidden());
    ChooseItem(combo, 38);  // custom key colours: no direction, the colour sets
    WAIT_FOR(!On<QWidget>(kKindKeyboard, "lightcustom_layout")->isHidden());
    EXPECT_TRUE(On<QWidget>(kKindKeyboard, "deng_fx_updown_layout")->isHidden());
    EXPECT_FALSE(On<QWidget>(kKindKeyboard, "light_combo_custommodeSelectLayout")->isHidden());
}

struct KindCase {
    const char* what;
    EmulatedKind emulated;
    uint16_t kind;
    int mode;
};

// Each kind's panel writes the mode into its own block: byte 1 of the keyboard's and pad's
// settings blocks, of the mouse's 66-byte block and of the headset's light head.
TEST_F(LightPanelTest, EveryKindsPanelWritesItsMode) {
    const KindCase cases[] = {
        {"mouse", EmulatedKind::Mouse, kKindMouse, 3},
        {"pad", EmulatedKind::MousePad, kKindMousePad, 4},
        {"headset", EmulatedKind::Headset, kKindHeadset, 2},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(AttachAndSelect(c.emulated, c.kind));
        auto* combo = On<QComboBox>(c.kind, "light_combo_modeSelect");
        ASSERT_GE(combo->count(), 9);
        ChooseItem(combo, c.mode);
        EXPECT_TRUE(WaitForByte(c.emulated, 1, static_cast<uint8_t>(c.mode)));
    }
}

// The mouse shows its light on both LED rows and the logo (LED 0), and the logo names the effect.
TEST_F(LightPanelTest, TheMousesSecondRowAndLogoShowItsLightAndTheLogoNamesTheEffect) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Mouse, kKindMouse));
    auto* combo = On<QComboBox>(kKindMouse, "light_combo_modeSelect");
    ChooseItem(combo, 3);  // static
    Click(kKindMouse, "color_option_0");  // red: colour word 0x0000FF
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, 1, 3));
    // The page's profile holds the change, not only the device.
    WAIT_FOR_EQ(Document("mouse")["Device"][0]["LightInfo"]["SelectItem"].asInt(), 3);
    for (const char* name : {"light_0", "light_5", "light_0_0", "light_0_5", "light_logo"}) {
        SCOPED_TRACE(name);
        auto* button = On<CDeviceKeyButtonUI>(kKindMouse, name);
        ASSERT_NE(button, nullptr);
        WAIT_FOR(button->IsLightShown() && button->LightColour() == 0x0000FFu);
    }
    auto* logo = On<CDeviceKeyButtonUI>(kKindMouse, "light_logo");
    WAIT_FOR(logo->toolTip().endsWith(combo->itemText(3))) << logo->toolTip().toStdString();
    EXPECT_EQ(logo->accessibleName(), logo->toolTip());
}

TEST_F(LightPanelTest, TypedColoursKeepTheirRangeAndEndRandomColours) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    ChooseItem(On<QComboBox>(kKindKeyboard, "light_combo_modeSelect"), 6);
    ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, 1, 6));
    auto* random = On<QAbstractButton>(kKindKeyboard, "deng_7color_check");
    if (!random->isChecked()) Click(kKindKeyboard, "deng_7color_check");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, 5, 1));

    auto* red = On<QLineEdit>(kKindKeyboard, "deng_edit_R");
    TypeAndLeave(red, "300");
    EXPECT_EQ(red->text(), "255");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, 6, 255));
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).Params()[5], 0);
    EXPECT_FALSE(random->isChecked());

    auto* green = On<QLineEdit>(kKindKeyboard, "deng_edit_G");
    TypeAndLeave(green, "");
    EXPECT_EQ(green->text(), "0");
    ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, 7, 0));
    const Json::Value light = Document("keyboard")["Device"][0]["LightInfo"];
    EXPECT_EQ(light["Red"].asInt(), 255);
    EXPECT_EQ(light["Green"].asInt(), 0);
    EXPECT_EQ(light["MultiColor"].asInt(), 0);

    // A colour option gives its colour to the edits and the device.
    Click(kKindKeyboard, "color_option_5");  // blue
    ASSERT_TRUE(WaitForByte(EmulatedKind::Keyboard, 6, 0));
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).Params()[8], 255);
    EXPECT_EQ(red->text(), "0");
}

TEST_F(LightPanelTest, KeysClickedOrSpannedInTheCustomModeAreWrittenAndSaved) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    auto* keyboard = dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard));
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard->Layout().IsRead(); }, 3000));
    ChooseItem(On<QComboBox>(kKindKeyboard, "light_combo_modeSelect"), 38);
    ChooseItem(On<QComboBox>(kKindKeyboard, "light_combo_custommodeSelect"), 1);
    auto* off = On<QAbstractButton>(kKindKeyboard, "custom_off_color_btn");
    WAIT_FOR(off->isVisible());
    EXPECT_TRUE(off->isEnabled());
    Click(kKindKeyboard, "custom_off_color_btn");
    Click(kKindKeyboard, "color_option_0");  // red

    const int key = 40;  // "A"
    QTest::mouseClick(On<QWidget>(kKindKeyboard, "key_40"), Qt::LeftButton);
    const size_t led = keyboard->Layout().LedOf(key);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Emulated(EmulatedKind::Keyboard).LightTable()[3 * led] > 200; }, 2000));
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).LightTable()[3 * led + 1], 0);
    const Json::Value custom = Document("keyboard")["Device"][0]["CustomLightMode"];
    EXPECT_EQ(custom["CustomLightModeGroupIndex"].asInt(), 1);
    EXPECT_EQ(custom["LightColorInfo"][1][key]["Red"].asInt(), 255);
    EXPECT_EQ(custom["LightColorInfo"][1][key]["Green"].asInt(), 0);
    EXPECT_EQ(custom["LightColorInfo"][1][41]["Red"].asInt(), 0);

    // A rubber band over Q and W paints both.
    auto* picture = On<CSelectPanelUI>(kKindKeyboard, "device_key_light");
    const QRect q = On<QWidget>(kKindKeyboard, "key_22")->geometry();
    const QRect w = On<QWidget>(kKindKeyboard, "key_23")->geometry();
    QTest::mousePress(picture, Qt::LeftButton, {}, q.topLeft() - QPoint(1, 1));
    QTest::mouseMove(picture, w.center());
    QTest::mouseRelease(picture, Qt::LeftButton, {}, w.center());
    for (int painted : {22, 23}) {
        const size_t position = keyboard->Layout().LedOf(painted);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Emulated(EmulatedKind::Keyboard).LightTable()[3 * position] > 200; },
                                    2000))
            << painted;
    }
    // A key of another row stayed dark, and on the key tab a click selects instead of painting.
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).LightTable()[3 * keyboard->Layout().LedOf(60)], 0);
    Click(kKindKeyboard, "key_Op_tab");
    QTest::mouseClick(On<QWidget>(kKindKeyboard, "key_60"), Qt::LeftButton);
    EXPECT_EQ(keyboard->ActiveKey(), 60);
    QTest::qWait(100);
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).LightTable()[3 * keyboard->Layout().LedOf(60)], 0);
}

TEST_F(LightPanelTest, SameLightGoesToEveryShownDeviceAndEndsForOneWhoseModeIsChosen) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Headset, kKindHeadset));
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::MousePad, kKindMousePad));
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Mouse, kKindMouse));
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    ChooseItem(On<QComboBox>(kKindKeyboard, "light_combo_modeSelect"), 8);  // breathing
    auto* same = On<QAbstractButton>(kKindKeyboard, "deng_same_mode");
    WAIT_FOR(!same->isHidden());
    Click(kKindKeyboard, "deng_same_mode");
    // Breathing is mode 2 of the mouse, the pad and the headset.
    for (const auto& [emulated, kind] : {std::pair{EmulatedKind::Mouse, kKindMouse}, {EmulatedKind::MousePad, kKindMousePad},
                                         {EmulatedKind::Headset, kKindHeadset}, {EmulatedKind::Keyboard, kKindKeyboard}}) {
        SCOPED_TRACE(kind);
        if (kind != kKindKeyboard) {
            EXPECT_TRUE(WaitForByte(emulated, 1, 2));
        }
        EXPECT_TRUE(ModelOfKind(kind)->CommandChannel().IsSynchronised());
    }
    CTalvorenUSBDevice* mouse = ModelOfKind(kKindMouse);
    auto* mouseBox = List().Entry(EntryOfKind(kKindMouse))->SynchroBox();
    EXPECT_FALSE(mouseBox->isHidden());
    EXPECT_TRUE(mouseBox->isChecked());

    List().Entry(EntryOfKind(kKindMouse))->SelectButton()->click();
    ChooseItem(On<QComboBox>(kKindMouse, "light_combo_modeSelect"), 3);
    ASSERT_TRUE(WaitForByte(EmulatedKind::Mouse, 1, 3));
    EXPECT_FALSE(mouse->CommandChannel().IsSynchronised());
    EXPECT_TRUE(mouseBox->isHidden());
}

TEST_F(LightPanelTest, SameLightIsNotOfferedWithOneDevice) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    ChooseItem(On<QComboBox>(kKindKeyboard, "light_combo_modeSelect"), 8);
    QTest::qWait(50);
    EXPECT_TRUE(On<QAbstractButton>(kKindKeyboard, "deng_same_mode")->isHidden());
}

TEST_F(LightPanelTest, ADeviceUnpluggedWhileItsPanelChangesKeepsThePageAndAWholeProfile) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::MousePad, kKindMousePad));
    emulator::FaultPlan vanished;
    vanished.silent = true;
    Emulated(EmulatedKind::MousePad).SetFaults(vanished);
    auto* slider = On<QSlider>(kKindMousePad, "deng_light_slider");
    slider->setFocus();
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right}) QTest::keyClick(slider, key);
    emulator.Detach(EmulatedKind::MousePad);
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::qWait(100);
    EXPECT_EQ(slider->value(), 3);
    const Json::Value document = Document("MousePad");
    ASSERT_FALSE(document.isNull());
    EXPECT_EQ(document["Device"][0]["LightInfo"]["Light"].asInt(), 3);
}

}  // namespace
}  // namespace morvek::app
