// The key assignment panel on the keyboard and mouse pages, driven through its widgets: a key
// given each function type, a captured key, a mouse button reassigned; the profile file and the
// emulated devices' key tables follow, byte for byte as the command line leaves them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStackedWidget>

#include "app/PanelFixture.h"
#include "app/QtPrinters.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/panels/CKeySetControlUI.h"
#include "devices/keys/KeyIndex.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/mouse/TalvorenMouseDevice.h"
#include "macros/MacroListFile.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

// KeyIndex of the key "1" (row 1, column 1) and of F1.
constexpr int kKeyOne = 22;
constexpr int kKeyF1 = 1;

class KeyPanelTest : public test::PanelTest {
public:
    // What the cases of a table do to the panel.
    void Choose(uint16_t kind, const char* combo, int row) { ChooseItem(On<QComboBox>(kind, combo), row); }
    void Type(uint16_t kind, const char* edit, const QString& text) { TypeAndLeave(On<QLineEdit>(kind, edit), text); }

protected:
    // Two macros in the keyboard's list.
    void BeforeStart() override { WriteMacroList("keyboard"); }
    CKeySetControlUI* Panel(uint16_t kind) { return On<CKeySetControlUI>(kind, "KeySetControlItem"); }
    CTalvorenKeyboardDevice* Keyboard() { return dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard)); }
    CTalvorenMouseDevice* Mouse() { return dynamic_cast<CTalvorenMouseDevice*>(ModelOfKind(kKindMouse)); }

    // The keyboard attached, its key table read, the key tab shown.
    void KeyboardOnKeyTab() {
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
        ASSERT_TRUE(QTest::qWaitFor([&] { return Keyboard()->Layout().IsRead(); }, 3000));
        Click(kKindKeyboard, "key_Op_tab");
        WAIT_FOR_EQ(On<QStackedWidget>(kKindKeyboard, "device_key_function_switch")->currentIndex(), 1);
        WAIT_FOR(!On<QWidget>(kKindKeyboard, "key_110")->isEnabled());
    }
    void MouseOnKeyTab() {
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Mouse, kKindMouse));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Mouse()->KeyTableCopy().empty(); }, 3000));
        // The buttons are chosen from the profile's key list, which the page set-up loads.
        WAIT_FOR(!Mouse()->KeyList().empty());
        Click(kKindMouse, "key_Op_tab");
        WAIT_FOR_EQ(On<QStackedWidget>(kKindMouse, "device_key_function_switch")->currentIndex(), 1);
    }
    void ClickKey(uint16_t kind, int key) {
        auto* button = On<CDeviceKeyButtonUI>(kind, QString("key_%1").arg(key).toUtf8().constData());
        ASSERT_NE(button, nullptr);
        WAIT_FOR(button->isVisible() && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // Chooses the function list's item of a page.
    void ChoosePage(uint16_t kind, int page) {
        auto* combo = On<QComboBox>(kind, "keyset_function_combo");
        const int item = combo->findData(QString::number(page));
        ASSERT_GE(item, 0) << page;
        ChooseItem(combo, item);
    }
    // "key_butt_prosave", waiting for the device's answer.
    bool SaveToDevice(uint16_t kind) {
        QSignalSpy saved(Panel(kind), &CKeySetControlUI::SavedToDevice);
        Click(kind, "key_butt_prosave");
        return saved.wait(3000) && saved[0][0].toBool();
    }
    KeyAssignment Stored(const char* folder, int key) {
        return KeyAssignment::Unpack(Document(folder)["Device"][0]["KeyList"][key]["Assignment"].asUInt());
    }
    KeyAssignment InTable(const std::vector<uint8_t>& table, int slot) {
        return {table[size_t(slot) * 3], table[size_t(slot) * 3 + 1], table[size_t(slot) * 3 + 2]};
    }
    void WriteMacroList(const char* folder) {
        Json::Value list;
        for (const char* name : {"reload", "build"}) {
            Json::Value entry;
            entry["MacroName"] = name;
            entry["Guid"] = std::string("2026_01_01_00_00_00_00") + name[0];
            list["MacroInfo"].append(entry);
        }
        std::filesystem::create_directories(data.Path() / folder);
        ASSERT_EQ(WriteJsonFile(data.Path() / folder / MacroListFile::kFileName, list), 0);
    }
    // A key press the window system delivers to the keyboard key edit: its native scan code is
    // the X keycode (the Linux input code + 8).
    void PressNative(uint16_t kind, quint32 keycode) {
        auto* edit = On<QLineEdit>(kind, "keyset_keyboard_text_edit");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0);
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, keycode, 0, 0);
        QApplication::sendEvent(edit, &release);
    }
};

struct FunctionCase {
    const char* name;
    int page;
    std::function<void(KeyPanelTest&)> fill;
    KeyAssignment expected;
};

TEST_F(KeyPanelTest, AKeyGivenEachFunctionIsStoredSavedAndWrittenToItsSlot) {
    KeyboardOnKeyTab();
    ClickKey(kKindKeyboard, kKeyOne);
    ASSERT_EQ(Panel(kKindKeyboard)->HeldKey(), kKeyOne);
    EXPECT_FALSE(On<QWidget>(kKindKeyboard, "keyset_layout")->isHidden());
    const int slot = Keyboard()->Layout().SlotOf(kKeyOne);
    const auto k = kKindKeyboard;
    const FunctionCase cases[] = {
        {"mouse button", 1, [k](KeyPanelTest& t) { t.Choose(k, "keyset_mousekey_combo", 2); }, {0x10, 0x02, 0}},
        {"swing", 2,
         [k](KeyPanelTest& t) {
             t.Choose(k, "keyset_mouseswing_combo", 1);
             t.Type(k, "keyset_mouseswing_num_edit", "130");
             t.Type(k, "keyset_mouseswing_delay_edit", "17");
             t.Type(k, "keyset_mouseswing_speed_edit", "3");
         },
         {0x11, 0x13, 0x82}},
        {"wheel", 3,
         [k](KeyPanelTest& t) {
             t.Choose(k, "keyset_mousewheel_combo", 1);
             t.Type(k, "keyset_mousewheel_num_edit", "3");
             t.Type(k, "keyset_mousewheel_delay_edit", "2");
             t.Type(k, "keyset_mousewheel_speed_edit", "5");
         },
         {0x12, 0x25, 0xFD}},
        {"rapid fire", 5,
         [k](KeyPanelTest& t) {
             t.Type(k, "keyset_mousefire_interval_edit", "40");
             t.Type(k, "keyset_mousefire_num_edit", "5");
         },
         {0x14, 40, 5}},
        {"media", 7, [k](KeyPanelTest& t) { t.Choose(k, "keyset_media_combo", 1); }, {0x30, 0xCD, 0x00}},
        {"system", 8, [k](KeyPanelTest& t) { t.Choose(k, "keyset_system_combo", 1); }, {0x40, 0x02, 0}},
        {"macro repeated", 9,
         [k](KeyPanelTest& t) {
             t.Choose(k, "keyset_macro_combo", 1);
             t.Choose(k, "keyset_macro_over_combo", 4);
             t.Type(k, "keyset_macro_cycle_edit", "300");
         },
         {0x71, 1, 44}},
        {"macro mode", 9,
         [k](KeyPanelTest& t) {
             t.Choose(k, "keyset_macro_combo", 0);
             t.Choose(k, "keyset_macro_over_combo", 2);
         },
         {0x70, 0, 2}},
        {"combination", 11, [k](KeyPanelTest& t) { t.Choose(k, "keyset_combokey_combo", 4); }, {0x20, 0x01, 0x06}},
        {"default", 0, [](KeyPanelTest&) {}, {0x20, 0, 0x1E}},
    };
    for (const FunctionCase& c : cases) {
        SCOPED_TRACE(c.name);
        ChoosePage(kKindKeyboard, c.page);
        EXPECT_EQ(On<QStackedWidget>(kKindKeyboard, "function_switch_tablayout")->currentIndex(), c.page);
        c.fill(*this);
        EXPECT_TRUE(On<QWidget>(kKindKeyboard, "key_butt_prosave")->isEnabled());
        ASSERT_TRUE(SaveToDevice(kKindKeyboard));
        EXPECT_EQ(Stored("keyboard", kKeyOne), c.expected);
        EXPECT_EQ(InTable(Emulated(EmulatedKind::Keyboard).KeyTable(), slot), c.expected);
        // A successful save disables the buttons until the next change.
        EXPECT_FALSE(On<QWidget>(kKindKeyboard, "key_butt_prosave")->isEnabled());
    }
    // Chosen again, the key shows the page of what it does: its default.
    ClickKey(kKindKeyboard, kKeyF1);
    ClickKey(kKindKeyboard, kKeyOne);
    EXPECT_EQ(On<QComboBox>(kKindKeyboard, "keyset_function_combo")->currentData().toString(), "0");
}

TEST_F(KeyPanelTest, CtrlCFromTheCombinationPageWritesWhatTheCommandLineWrites) {
    KeyboardOnKeyTab();
    ClickKey(kKindKeyboard, kKeyOne);
    ChoosePage(kKindKeyboard, 11);
    Choose(kKindKeyboard, "keyset_combokey_combo", 4);
    ASSERT_TRUE(SaveToDevice(kKindKeyboard));
    const emulator::FirmwareMemory cli = AfterCommandLine(
        EmulatedKind::Keyboard, "keyboard", {{"key", "keyboard", "22", "0x20", "0x01", "0x06"}, {"key", "keyboard", "--write"}});
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).KeyTable(), cli.keyTable);
    // The combination is shown on the keyboard key page as Ctrl with C, and labels the key.
    ClickKey(kKindKeyboard, kKeyF1);
    ClickKey(kKindKeyboard, kKeyOne);
    EXPECT_EQ(On<QComboBox>(kKindKeyboard, "keyset_function_combo")->currentData().toString(), "6");
    EXPECT_TRUE(On<QAbstractButton>(kKindKeyboard, "key_ComBox_check_1")->isChecked());
    EXPECT_EQ(On<QLineEdit>(kKindKeyboard, "keyset_keyboard_text_edit")->text(), "C");
    auto* key = On<CDeviceKeyButtonUI>(kKindKeyboard, "key_22");
    EXPECT_EQ(key->toolTip(), "Function: Left Ctrl+C");
    EXPECT_FALSE(key->IsKeySetImageHidden());
    EXPECT_TRUE(On<CDeviceKeyButtonUI>(kKindKeyboard, "key_23")->IsKeySetImageHidden());
}

TEST_F(KeyPanelTest, ACapturedKeyIsTakenByItsNativeScanCodeWhileTheEditHasTheFocus) {
    KeyboardOnKeyTab();
    ClickKey(kKindKeyboard, kKeyOne);
    ChoosePage(kKindKeyboard, 6);
    auto* edit = On<QLineEdit>(kKindKeyboard, "keyset_keyboard_text_edit");
    QTest::mouseClick(edit, Qt::LeftButton);
    WAIT_FOR(Panel(kKindKeyboard)->IsCapturing());

    PressNative(kKindKeyboard, 105);  // right Ctrl: the Ctrl option, no key
    EXPECT_TRUE(On<QAbstractButton>(kKindKeyboard, "key_ComBox_check_1")->isChecked());
    EXPECT_EQ(edit->text(), "");
    PressNative(kKindKeyboard, 121);  // a media key the table lacks: ignored
    PressNative(kKindKeyboard, 54);   // C, keeping Ctrl
    EXPECT_EQ(edit->text(), "C");
    EXPECT_TRUE(On<QAbstractButton>(kKindKeyboard, "key_ComBox_check_1")->isChecked());
    ASSERT_TRUE(SaveToDevice(kKindKeyboard));
    EXPECT_EQ(Stored("keyboard", kKeyOne), (KeyAssignment{0x20, 0x01, 0x06}));
    const emulator::FirmwareMemory cli = AfterCommandLine(
        EmulatedKind::Keyboard, "keyboard", {{"key", "keyboard", "22", "0x20", "1", "6"}, {"key", "keyboard", "--write"}});
    EXPECT_EQ(Emulated(EmulatedKind::Keyboard).KeyTable(), cli.keyTable);

    // Leaving the edit ends the capture: a key pressed there later changes nothing.
    QTest::keyClick(edit, Qt::Key_Tab);
    WAIT_FOR(!Panel(kKindKeyboard)->IsCapturing());
    PressNative(kKindKeyboard, 38);  // A
    EXPECT_EQ(edit->text(), "C");
    EXPECT_EQ(Panel(kKindKeyboard)->State().held.current, (KeyAssignment{0x20, 0x01, 0x06}));
}

TEST_F(KeyPanelTest, TheKeyboardOffersNeitherDpiNorGunKeysAndKeepsItsBuiltInKeys) {
    KeyboardOnKeyTab();
    auto* functions = On<QComboBox>(kKindKeyboard, "keyset_function_combo");
    EXPECT_EQ(functions->count(), 10);
    EXPECT_EQ(functions->findData("4"), -1);
    EXPECT_EQ(functions->findData("10"), -1);
    for (KeyIndex builtIn : kBuiltInKeys) {
        EXPECT_FALSE(On<QWidget>(kKindKeyboard, QString("key_%1").arg(builtIn).toUtf8().constData())->isEnabled())
            << int(builtIn);
    }
    EXPECT_TRUE(Panel(kKindKeyboard)->State().layoutVisible == false);
    // A built-in key cannot be held, even by a click that reaches it.
    EXPECT_FALSE(Panel(kKindKeyboard)->SelectKey(110));
    EXPECT_EQ(Panel(kKindKeyboard)->HeldKey(), -1);
    // On the lighting tab the built-in keys are usable again, and a click selects no key.
    Click(kKindKeyboard, "deng_Op_tab");
    WAIT_FOR(On<QWidget>(kKindKeyboard, "key_110")->isEnabled());
    ClickKey(kKindKeyboard, kKeyOne);
    EXPECT_EQ(Panel(kKindKeyboard)->HeldKey(), -1);
}

TEST_F(KeyPanelTest, AKeyPlayingAMacroTheListNoLongerHasShowsNoMacro) {
    KeyboardOnKeyTab();
    ClickKey(kKindKeyboard, kKeyOne);
    ChoosePage(kKindKeyboard, 9);
    Choose(kKindKeyboard, "keyset_macro_combo", 1);
    ASSERT_TRUE(SaveToDevice(kKindKeyboard));
    // The second macro goes; the page is shown again (a profile switch keeps the key).
    Json::Value list = readjsonFile(data.Path() / "keyboard" / MacroListFile::kFileName);
    list["MacroInfo"].resize(1);
    ASSERT_EQ(WriteJsonFile(data.Path() / "keyboard" / MacroListFile::kFileName, list), 0);
    ModelOfKind(kKindKeyboard)->ReloadMacroList();
    ModelOfKind(kKindKeyboard)->RefreshPage();
    WAIT_FOR_EQ(On<QComboBox>(kKindKeyboard, "keyset_macro_combo")->count(), 1);
    ClickKey(kKindKeyboard, kKeyF1);
    ClickKey(kKindKeyboard, kKeyOne);
    EXPECT_EQ(On<QComboBox>(kKindKeyboard, "keyset_function_combo")->currentData().toString(), "9");
    EXPECT_EQ(On<QComboBox>(kKindKeyboard, "keyset_macro_combo")->currentIndex(), -1);
    EXPECT_EQ(On<QComboBox>(kKindKeyboard, "keyset_macro_over_combo")->currentIndex(), -1);
}

TEST_F(KeyPanelTest, AMouseButtonReassignedWritesWhatTheCommandLineWrites) {
    MouseOnKeyTab();
    auto* functions = On<QComboBox>(kKindMouse, "keyset_function_combo");
    EXPECT_EQ(functions->count(), 12);
    ClickKey(kKindMouse, 1);  // the right button
    ASSERT_EQ(Panel(kKindMouse)->HeldKey(), 1);
    EXPECT_EQ(functions->currentData().toString(), "0");
    ChoosePage(kKindMouse, 1);
    Choose(kKindMouse, "keyset_mousekey_combo", 1);  // middle
    ASSERT_TRUE(SaveToDevice(kKindMouse));
    EXPECT_EQ(Stored("mouse", 1), (KeyAssignment{0x10, 0x04, 0}));
    const int slot = Mouse()->ButtonMap().SlotOf(1);
    EXPECT_EQ(InTable(Emulated(EmulatedKind::Mouse).KeyTable(), slot), (KeyAssignment{0x10, 0x04, 0}));
    const emulator::FirmwareMemory cli = AfterCommandLine(
        EmulatedKind::Mouse, "mouse", {{"key", "mouse", "1", "0x10", "0x04", "0"}, {"key", "mouse", "--write"}});
    EXPECT_EQ(Emulated(EmulatedKind::Mouse).KeyTable(), cli.keyTable);
    // The DPI and gun key pages are the mouse's.
    ChoosePage(kKindMouse, 4);
    Choose(kKindMouse, "keyset_mousedpi_combo", 2);
    EXPECT_EQ(Panel(kKindMouse)->State().held.current, (KeyAssignment{0x13, 3, 0}));
    EXPECT_EQ(On<CDeviceKeyButtonUI>(kKindMouse, "key_1")->toolTip(), "Function: DPI cycle");
    // Only the changed button wears the mark.
    EXPECT_FALSE(On<CDeviceKeyButtonUI>(kKindMouse, "key_1")->IsKeySetImageHidden());
    for (const char* other : {"key_0", "key_2", "key_3", "key_4", "key_5", "key_6"})
        EXPECT_TRUE(On<CDeviceKeyButtonUI>(kKindMouse, other)->IsKeySetImageHidden()) << other;
}

TEST_F(KeyPanelTest, AWirelessMouseOutOfReachKeepsThePageAndSaysSo) {
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::WirelessMouse, kKindWirelessMouse));
    auto* mouse = dynamic_cast<CTalvorenMouseDevice*>(window->CurrentDevice());
    ASSERT_NE(mouse, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mouse->KeyTableCopy().empty(); }, 5000));
    auto* page = window->PageOf(mouse);
    QTest::mouseClick(page->findChild<QAbstractButton*>("key_Op_tab"), Qt::LeftButton);
    WAIT_FOR_EQ(page->findChild<QStackedWidget*>("device_key_function_switch")->currentIndex(), 1);
    QTest::mouseClick(page->findChild<CDeviceKeyButtonUI*>("key_2"), Qt::LeftButton);
    auto* panel = page->findChild<CKeySetControlUI*>();
    ASSERT_EQ(panel->HeldKey(), 2);

    emulator::FaultPlan away;
    away.linkDown = true;
    Emulated(EmulatedKind::WirelessMouse).SetFaults(away);
    const std::vector<uint8_t> before = Emulated(EmulatedKind::WirelessMouse).KeyTable();
    auto* functions = page->findChild<QComboBox*>("keyset_function_combo");
    ChooseItem(functions, functions->findData("1"));
    ChooseItem(page->findChild<QComboBox*>("keyset_mousekey_combo"), 0);
    QSignalSpy saved(panel, &CKeySetControlUI::SavedToDevice);
    QTest::mouseClick(page->findChild<QAbstractButton*>("key_butt_prosave"), Qt::LeftButton);
    ASSERT_TRUE(saved.wait(15000));
    EXPECT_FALSE(saved[0][0].toBool());
    EXPECT_EQ(Emulated(EmulatedKind::WirelessMouse).KeyTable(), before);
    auto* notice = page->findChild<QLabel*>("keyset_device_notice");
    EXPECT_FALSE(notice->isHidden());
    EXPECT_TRUE(notice->text().contains("receiver"));
    EXPECT_TRUE(asked.empty());  // no modal message: the window stays usable
    // The page keeps the assignment, and so does the profile file.
    EXPECT_EQ(panel->State().held.current, (KeyAssignment{0x10, 0x01, 0}));
    EXPECT_TRUE(page->findChild<QWidget*>("key_butt_prosave")->isEnabled());
    EXPECT_EQ(Stored("mouse", 2), (KeyAssignment{0x10, 0x01, 0}));

    // Back in reach: the next save puts it on the mouse and the notice goes.
    Emulated(EmulatedKind::WirelessMouse).SetFaults({});
    saved.clear();
    QTest::mouseClick(page->findChild<QAbstractButton*>("key_butt_prosave"), Qt::LeftButton);
    ASSERT_TRUE(saved.wait(5000));
    EXPECT_TRUE(saved[0][0].toBool());
    EXPECT_TRUE(notice->isHidden());
}

}  // namespace
}  // namespace morvek::app
