// The macro panel of the keyboard and mouse pages, driven through its widgets: the macro list
// with its files, the editing of a macro's actions, the action menu, recording from the
// program's own window (offscreen there is no X server: the events are the window's), and what
// the emulated keyboard receives.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/ControlTestSupport.h"
#include "app/MainWndFixture.h"
#include "app/QtPrinters.h"
#include "app/controls/CComboEditContainerElementUI.h"
#include "app/controls/CComboEditListUI.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/CMacroControlUI.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "macros/DeviceMacroImage.h"
#include "macros/MacroDownload.h"
#include "macros/MacroEvent.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

class MacroPanelTest : public morvek::test::MainWndTest {
protected:
    void StartWithKeyboard() {
        Start();
        ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
        Click("macro_Op_tab");
        ASSERT_TRUE(QTest::qWaitFor([&] { return Actions()->isVisible(); }, 2000));
    }
    std::filesystem::path Folder() { return data.Path() / "keyboard"; }
    Json::Value MacroList() { return readjsonFile(Folder() / "macro.config"); }
    std::filesystem::path MacroFile(int macro) { return Folder() / (MacroList()["MacroInfo"][macro]["Guid"].asString() + ".mac"); }
    // The events of a macro as its file holds them (a read waits for the writes queued before it).
    Json::Value Events(int macro) { return readjsonFile(MacroFile(macro))["Events"]; }
    std::vector<MacroEvent> EventsOf(int macro) {
        std::vector<MacroEvent> events;
        for (const Json::Value& e : Events(macro)) events.push_back(MacroEvent::FromJson(e));
        return events;
    }
    template <class Control = QWidget>
    Control* Get(const char* name) {
        auto* control = On<Control>(kKindKeyboard, name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Click(const char* name) {
        if (auto* button = Get<QAbstractButton>(name)) button->click();
    }
    void Type(const char* edit, const QString& text) {
        auto* line = Get<QLineEdit>(edit);
        line->setFocus();
        line->selectAll();
        QTest::keyClicks(line, text);
    }
    QListWidget* Macros() { return Get<QListWidget>("macro_name_list"); }
    QStringList MacroNames() {
        QStringList names;
        for (int i = 0; i < Macros()->count(); ++i) names.append(Macros()->item(i)->text());
        return names;
    }
    void ChooseMacro(int row) {
        const QRect cell = Macros()->visualItemRect(Macros()->item(row));
        QTest::mouseClick(Macros()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    CComboEditListUI* Actions() { return Get<CComboEditListUI>("macro_action_list"); }
    CComboEditContainerElementUI* Row(int row) {
        Actions()->EnsureRowVisible(row);
        return Actions()->RowWidget(row);
    }
    void ClickRow(int row) {
        test::Press(Row(row), {5, 5});
        test::Release(Row(row), {5, 5});
    }
    // A macro "macro_1" holding keys A, B, C (usages 4 to 6), shown and selected.
    void AddMacroWithKeys() {
        Click("macro_btn_name_add");
        Json::Value events(Json::arrayValue);
        for (int usage : {4, 5, 6}) events.append(MacroEvent{kMacroEventKey, usage, true, 10 * usage}.ToJson());
        Json::Value document;
        document["Events"] = events;
        ASSERT_EQ(WriteJsonFile(MacroFile(0), document), 0);
        Click("macro_btn_cancel");  // shows the file
        ASSERT_EQ(Actions()->RowCount(), 3);
    }
    std::vector<int> Usages(int macro) {
        std::vector<int> usages;
        for (const MacroEvent& e : EventsOf(macro)) usages.push_back(e.button);
        return usages;
    }
    // A key pressed or released in the program's window, as the window system gives it.
    void Key(QEvent::Type type, int keycode) {
        QKeyEvent event(type, Qt::Key_unknown, Qt::NoModifier, static_cast<quint32>(keycode), 0, 0);
        QApplication::sendEvent(window->windowHandle(), &event);
    }
    emulator::EmulatedDevice& EmulatedKeyboard() { return *emulator.Find(EmulatedKind::Keyboard); }
};

// A "macro.config" that cannot be read, met when the pages set up at start, is kept aside and
// the message window says where, on each page with a macro panel; the panel begins a new list.
TEST_F(MacroPanelTest, ADamagedMacroListIsKeptAsideAndShownInTheMessageWindow) {
    const struct {
        const char* folder;
        const char* text;
    } cases[] = {{"keyboard", R"({"MacroInfo": [{"MacroName": "Gam)"}, {"mouse", "[1, 2"}};
    for (const auto& c : cases) {
        std::filesystem::create_directories(data.Path() / c.folder);
        std::ofstream(data.Path() / c.folder / "macro.config") << c.text;
    }
    Start();
    ASSERT_TRUE(window->IsInitialised());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const std::filesystem::path kept = data.Path() / c.folder / "macro.config.damaged";
        const auto told = std::count_if(asked.begin(), asked.end(), [&](const QString& text) {
            return text.contains(QString::fromStdString(kept.string()));
        });
        EXPECT_EQ(told, 1) << QStringList(asked.begin(), asked.end()).join("\n").toStdString();
        std::ifstream in(kept);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.text);
    }
    for (const QString& text : asked) EXPECT_FALSE(text.contains("%s")) << text.toStdString();
    EXPECT_EQ(asked.size(), std::size(cases));
    ASSERT_TRUE(AttachAndSelect(EmulatedKind::Keyboard, kKindKeyboard));
    EXPECT_EQ(Macros()->count(), 0);
}

TEST_F(MacroPanelTest, AddRenameAndDeleteKeepTheListFileAndTheListInStep) {
    StartWithKeyboard();
    EXPECT_FALSE(Get("macro_action_layout")->isEnabled());
    EXPECT_FALSE(Get("macro_btn_name_sub")->isEnabled());
    Click("macro_btn_name_add");
    Click("macro_btn_name_add");
    EXPECT_EQ(MacroNames(), (QStringList{"macro_1", "macro_2"}));
    EXPECT_EQ(Macros()->currentRow(), 1);
    EXPECT_EQ(MacroList()["MacroInfo"].size(), 2u);
    EXPECT_TRUE(Get("macro_action_layout")->isEnabled());
    EXPECT_TRUE(Get("macro_btn_name_sub")->isEnabled());
    EXPECT_EQ(Macros()->item(0)->sizeHint().height(), 30);

    struct Case {
        const char* name;
        const char* message;  // nullptr: renamed
    } cases[] = {
        {"", "message_text_5_1"},
        {"fire burst", "message_text_5_2"},
        {"MACRO_1", "message_text_5"},
        {"macro_2", "message_text_5"},  // its own name
        {"Burst", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        asked.clear();
        Type("macro_edit_macroname", c.name);
        Click("macro_btn_name_edit");
        if (c.message == nullptr) {
            EXPECT_TRUE(asked.empty());
            continue;
        }
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], c.message);
    }
    EXPECT_EQ(MacroNames(), (QStringList{"macro_1", "Burst"}));
    EXPECT_EQ(MacroList()["MacroInfo"][1]["MacroName"], "Burst");
    EXPECT_EQ(Get<QLineEdit>("macro_edit_macroname")->text(), "");
    auto* keyboard = dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard));
    EXPECT_EQ(keyboard->MacroNames(), (std::vector<std::string>{"macro_1", "Burst"}));

    // Deleting asks first; answered no, nothing changes.
    answer = 0;
    Click("macro_btn_name_sub");
    EXPECT_EQ(MacroNames().size(), 2);
    answer = 1;
    asked.clear();
    Click("macro_btn_name_sub");
    EXPECT_EQ(asked, (std::vector<QString>{"message_text_4"}));
    EXPECT_EQ(MacroNames(), (QStringList{"macro_1"}));
    Click("macro_btn_name_sub");
    EXPECT_TRUE(MacroNames().isEmpty());
    EXPECT_FALSE(Get("macro_action_layout")->isEnabled());
    for (const char* name : {"macro_edit_macroname", "macro_btn_export", "macro_btn_name_sub", "macro_btn_name_edit"})
        EXPECT_FALSE(Get(name)->isEnabled()) << name;
}

TEST_F(MacroPanelTest, EditingTheActionsSavesTheMacroAfterEveryOperation) {
    StartWithKeyboard();
    AddMacroWithKeys();
    ClickRow(1);
    Click("macro_btn_up");
    EXPECT_EQ(Usages(0), (std::vector<int>{5, 4, 6}));
    EXPECT_EQ(Actions()->SelectedRow(), 0);
    Click("macro_btn_downbottom");
    EXPECT_EQ(Usages(0), (std::vector<int>{4, 6, 5}));
    Click("macro_btn_up");  // from the last row
    ClickRow(0);
    Click("macro_btn_up");  // the first row stays
    EXPECT_EQ(Usages(0), (std::vector<int>{4, 5, 6}));

    // A typed delay is saved when its box loses the focus.
    QLineEdit* delay = Row(2)->DelayEdit();
    EXPECT_EQ(delay->objectName(), "macro_delay");
    delay->setFocus();
    delay->selectAll();
    QTest::keyClicks(delay, "07");
    Get<QLineEdit>("macro_edit_macroname")->setFocus();
    EXPECT_EQ(Events(0)[2]["Delay"], "7");

    // A move up by 300 stores 44 (8 bits) below the selected row.
    ClickRow(0);
    Type("mouse_y_up_edit", "300");
    Click("macro_inset_moveupkey_btn");
    EXPECT_EQ(EventsOf(0)[1], (MacroEvent{kMacroEventMoveVertical, 44, true, 50}));
    EXPECT_EQ(Row(1)->Text1()->text(), "Move up");
    EXPECT_EQ(Row(1)->Text2()->text(), "44");

    ClickRow(3);
    Click("macro_btn_delete");
    EXPECT_EQ(Actions()->SelectedRow(), -1);
    Click("macro_btn_delete");  // nothing selected: nothing deleted
    EXPECT_EQ(Events(0).size(), 3u);
    Click("macro_btn_deleteall");
    EXPECT_EQ(Events(0).size(), 0u);
    EXPECT_EQ(Actions()->RowCount(), 0);
}

TEST_F(MacroPanelTest, TheActionMenuOfARowInsertsClicksAndStartsRecordings) {
    StartWithKeyboard();
    AddMacroWithKeys();
    test::SendMouse(Row(1), QEvent::MouseButtonDblClick, {5, 5});
    auto* panel = On<CMacroControlUI>(kKindKeyboard, "MacroControlItem");
    QMenu* menu = panel->ActionMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    auto* click = menu->findChild<QAction*>("left_click");
    ASSERT_NE(click, nullptr);
    click->trigger();
    const std::vector<MacroEvent> events = EventsOf(0);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[2], (MacroEvent{kMacroEventMouseButton, 0x01, true, 50}));
    EXPECT_EQ(events[3], (MacroEvent{kMacroEventMouseButton, 0x01, false, 50}));
    EXPECT_EQ(Row(2)->Text1()->text(), "Left button");

    // "Record after" with the row selected: keys land below it.
    test::SendMouse(Row(0), QEvent::MouseButtonDblClick, {5, 5});
    panel->ActionMenu()->findChild<QAction*>("redio_later_ignore_time")->trigger();
    ASSERT_TRUE(panel->IsRecording());
    Key(QEvent::KeyPress, 39);  // S
    Key(QEvent::KeyRelease, 39);
    Click("macro_btn_stopredio");
    EXPECT_EQ(Usages(0), (std::vector<int>{4, 0x16, 0x16, 5, 1, 1, 6}));
}

TEST_F(MacroPanelTest, RecordingLocksThePageTakesTheWindowsKeysAndSavesWhenStopped) {
    StartWithKeyboard();
    Click("macro_btn_name_add");
    Get<QCheckBox>("macro_check_time")->setChecked(true);
    Type("macro_fixed_time_edit", "120");
    QSignalSpy recording(On<CMacroControlUI>(kKindKeyboard, "MacroControlItem"), &CMacroControlUI::RecordingChanged);
    Click("macro_btn_starredio");
    ASSERT_EQ(recording.size(), 1);
    EXPECT_TRUE(Get("macro_btn_starredio")->isHidden());
    EXPECT_FALSE(Get("macro_btn_stopredio")->isHidden());
    for (const char* name : {"macro_name_tab", "macro_action_list", "macro_tab_macroaction_edit", "macro_tab_macrodelay_edit"})
        EXPECT_FALSE(Get(name)->isEnabled()) << name;
    EXPECT_FALSE(Control("device_select_layout")->isEnabled());
    EXPECT_FALSE(On<CDeviceProfileUI>(kKindKeyboard, "DeviceProfileItem")->isEnabled());
    auto* source = Get<QLabel>("macro_record_source");
    EXPECT_FALSE(source->isHidden());
    EXPECT_EQ(source->text().toStdString(), "Recording the keys and mouse buttons pressed in this window.");

    // Keys go to the recording, not to the focused edit; a held key repeats into one press.
    auto* edit = Get<QLineEdit>("macro_edit_macroname");
    edit->setFocus();
    Key(QEvent::KeyPress, 50);  // left Shift
    Key(QEvent::KeyPress, 38);  // A
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 38, 0, 0, {}, true);
    QApplication::sendEvent(window->windowHandle(), &repeat);
    Key(QEvent::KeyRelease, 38);
    Key(QEvent::KeyRelease, 50);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(Actions()->RowCount(), 4);
    EXPECT_EQ(Row(3)->Text1()->text(), "Left Shift");
    EXPECT_EQ(Events(0).size(), 0u);  // saved when stopped

    Click("macro_btn_stopredio");
    ASSERT_EQ(recording.size(), 2);
    EXPECT_TRUE(Control("device_select_layout")->isEnabled());
    EXPECT_TRUE(On<CDeviceProfileUI>(kKindKeyboard, "DeviceProfileItem")->isEnabled());
    EXPECT_TRUE(source->isHidden());
    const std::vector<MacroEvent> expected = {{kMacroEventModifier, 0x02, true, 120},
                                              {kMacroEventKey, 0x04, true, 120},
                                              {kMacroEventKey, 0x04, false, 120},
                                              {kMacroEventModifier, 0x02, false, 120}};
    EXPECT_EQ(EventsOf(0), expected);
    // Keys reach the program's controls again.
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(edit->text(), "x");
}

TEST_F(MacroPanelTest, AMacroAKeyPlaysGoesToTheKeyboardAsTheCommandLineWouldDownloadIt) {
    StartWithKeyboard();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard))->Layout().IsRead(); }, 3000));
    Click("macro_btn_name_add");
    Click("macro_btn_name_add");
    // A key of the keyboard's profile plays macro 1.
    const auto profile = *ProfileDocument(Folder(), ModelOfKind(kKindKeyboard)->ProfileName());
    Json::Value document = readjsonFile(profile);
    document["Device"][0]["KeyList"][1]["Assignment"] = 0x700100;
    ASSERT_EQ(WriteJsonFile(profile, document), 0);

    Click("macro_btn_starredio");
    for (int keycode : {38, 56}) {  // A, B
        Key(QEvent::KeyPress, keycode);
        Key(QEvent::KeyRelease, keycode);
    }
    Click("macro_btn_stopredio");
    const std::vector<uint8_t> image = DeviceMacroImage::Build(*ReadDeviceMacros(Folder()));
    ASSERT_EQ(image.size(), 16u + 2 * 6 + 4 * 4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return EmulatedKeyboard().MacroHighWater() == image.size(); }, 3000));
    const std::vector<uint8_t> memory = EmulatedKeyboard().MacroMemory();
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + static_cast<long>(image.size())), image);
}

TEST_F(MacroPanelTest, DeletingAMacroAKeyPlaysRebindsTheKeysAndUpdatesTheKeyboard) {
    StartWithKeyboard();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return dynamic_cast<CTalvorenKeyboardDevice*>(ModelOfKind(kKindKeyboard))->Layout().IsRead(); }, 3000));
    for (int i = 0; i < 3; ++i) Click("macro_btn_name_add");
    const auto profile = *ProfileDocument(Folder(), ModelOfKind(kKindKeyboard)->ProfileName());
    Json::Value document = readjsonFile(profile);
    const Json::UInt defaultOfKey1 = document["Device"][0]["KeyList"][1]["DefaultAssignment"].asUInt();
    document["Device"][0]["KeyList"][1]["Assignment"] = 0x700000;  // macro 0
    document["Device"][0]["KeyList"][2]["Assignment"] = 0x700200;  // macro 2
    ASSERT_EQ(WriteJsonFile(profile, document), 0);
    const std::vector<uint8_t> keysBefore = EmulatedKeyboard().KeyTable();

    ChooseMacro(0);
    asked.clear();
    answer = 0;  // no to the second question: nothing is deleted
    Click("macro_btn_name_sub");
    EXPECT_EQ(asked, (std::vector<QString>{"message_text_4"}));
    answer = 1;
    asked.clear();
    Click("macro_btn_name_sub");
    EXPECT_EQ(asked, (std::vector<QString>{"message_text_4", "message_text_2"}));
    EXPECT_EQ(MacroNames(), (QStringList{"macro_2", "macro_3"}));
    const Json::Value keys = readjsonFile(profile)["Device"][0]["KeyList"];
    EXPECT_EQ(keys[1]["Assignment"].asUInt(), defaultOfKey1);
    EXPECT_EQ(keys[2]["Assignment"].asUInt(), 0x700100u);  // follows its macro down
    // The keyboard gets the new key table and the two remaining macros.
    ASSERT_TRUE(QTest::qWaitFor([&] { return EmulatedKeyboard().KeyTable() != keysBefore; }, 3000));
    EXPECT_EQ(EmulatedKeyboard().MacroMemory()[4], 2);
}

}  // namespace
}  // namespace morvek::app
