// Recording a macro from real input: the program runs under an X server of its own, another
// program's window has the focus, and XTEST types keys and clicks buttons as a user would.
#include <gtest/gtest.h>

#include <QLabel>

#include "X11WindowFixture.h"
#include "app/controls/CComboEditListUI.h"
#include "app/panels/CMacroControlUI.h"
#include "macros/MacroEvent.h"
#include "profiles/JsonFile.h"

namespace morvek::app {
namespace {

using emulator::EmulatedKind;

// X keycodes: the Linux input code + 8.
constexpr uint8_t kKeyA = 38;
constexpr uint8_t kKeyB = 56;
constexpr uint8_t kKeyLeftShift = 50;

class MacroRecordingTest : public morvek::test::X11WindowTest {
protected:
    void StartRecordingOnKeyboard() {
        ASSERT_TRUE(ShowPageOf(EmulatedKind::Keyboard, kKindKeyboard));
        Click("macro_Op_tab");
        ASSERT_TRUE(QTest::qWaitFor([&] { return Get("macro_action_list")->isVisible(); }, 2000));
        Click("macro_btn_name_add");
        // Another program has the focus, in a corner of the screen the window leaves free.
        input.OpenFocusedWindow(1140, 700, 120, 80);
        Click("macro_btn_starredio");
        ASSERT_TRUE(Panel()->IsRecording());
    }
    QWidget* Get(const char* name) { return On<QWidget>(kKindKeyboard, name); }
    void Click(const char* name) { qobject_cast<QAbstractButton*>(Get(name))->click(); }
    CMacroControlUI* Panel() { return On<CMacroControlUI>(kKindKeyboard, "MacroControlItem"); }
    int Rows() { return On<CComboEditListUI>(kKindKeyboard, "macro_action_list")->RowCount(); }
    std::vector<MacroEvent> SavedEvents() {
        const Json::Value list = readjsonFile(data.Path() / "keyboard" / "macro.config");
        const Json::Value events =
            readjsonFile(data.Path() / "keyboard" / (list["MacroInfo"][0]["Guid"].asString() + ".mac"))["Events"];
        std::vector<MacroEvent> out;
        for (const Json::Value& e : events) out.push_back(MacroEvent::FromJson(e));
        return out;
    }
};

TEST_F(MacroRecordingTest, KeysAndButtonsOfTheDesktopBecomeRowsWhileAnotherProgramHasTheFocus) {
    StartRecordingOnKeyboard();
    EXPECT_EQ(qobject_cast<QLabel*>(Get("macro_record_source"))->text().toStdString(),
              "Recording the keys and mouse buttons of the whole desktop. No other program gets keys until you stop.");
    input.Tap(kKeyA);
    input.Key(kKeyLeftShift, true);
    input.Tap(kKeyB);
    input.Key(kKeyLeftShift, false);
    ClickAt({1180, 720});     // left, in the other program's window
    ClickAt({1180, 720}, 8);  // back
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows() == 10; }, 3000));
    SaveScreenshot("macro-recording.png");

    // A real click on the stop button stops the recording and is not recorded.
    ClickOn(Get("macro_btn_stopredio"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Panel()->IsRecording(); }, 3000));
    EXPECT_EQ(Rows(), 10);

    struct Row {
        int type;
        int button;
        bool down;
    };
    const Row expected[] = {
        {kMacroEventKey, 0x04, true},       {kMacroEventKey, 0x04, false},      {kMacroEventModifier, 0x02, true},
        {kMacroEventKey, 0x05, true},       {kMacroEventKey, 0x05, false},      {kMacroEventModifier, 0x02, false},
        {kMacroEventMouseButton, 1, true},  {kMacroEventMouseButton, 1, false}, {kMacroEventMouseButton, 8, true},
        {kMacroEventMouseButton, 8, false}};
    const std::vector<MacroEvent> saved = SavedEvents();
    ASSERT_EQ(saved.size(), std::size(expected));
    for (size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(saved[i].type, expected[i].type) << i;
        EXPECT_EQ(saved[i].button, expected[i].button) << i;
        EXPECT_EQ(saved[i].down, expected[i].down) << i;
    }
    // The other program got its clicks but none of the keys.
    const morvek::test::XTestInput::Received received = input.Drain();
    EXPECT_EQ(received.keyPresses, 0);
    EXPECT_EQ(received.buttonPresses, 2);
}

TEST_F(MacroRecordingTest, MeasuredDelaysAreTheGapsBetweenTheRealEvents) {
    StartRecordingOnKeyboard();
    input.Key(kKeyA, true);
    QTest::qWait(120);
    input.Key(kKeyA, false);
    QTest::qWait(300);
    input.Tap(kKeyB);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Rows() == 4; }, 3000));
    Click("macro_btn_stopredio");
    const std::vector<MacroEvent> saved = SavedEvents();
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_NEAR(saved[0].delay, 120, 60);
    EXPECT_NEAR(saved[1].delay, 300, 80);
    EXPECT_LT(saved[2].delay, 60);
    EXPECT_EQ(saved[3].delay, 0);
}

}  // namespace
}  // namespace morvek::app
