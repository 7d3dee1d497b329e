#pragma once
// A shown and active main window on emulated devices, with what a user does to a panel's
// controls (choose a list row, type into an edit and leave it, click), and the device memory
// the command line leaves after the same change, to compare with the window's.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QRadioButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <sstream>
#include <string>
#include <vector>

#include "app/MainWndFixture.h"
#include "cli/Morvekctl.h"
#include "profiles/JsonFile.h"

// Qt's QTRY_ macros end a test silently when they time out (they report to Qt's test logger,
// which a GoogleTest program does not run): these wait and then fail as GoogleTest does.
#define WAIT_FOR(condition) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, 5000)) << #condition
#define WAIT_FOR_EQ(actual, expected)                                                     \
    do {                                                                                  \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, 5000);              \
        ASSERT_EQ(actual, expected);                                                      \
    } while (false)

namespace morvek::test {

class PanelTest : public MainWndTest {
protected:
    void SetUp() override {
        MainWndTest::SetUp();
        BeforeStart();
        Start();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // What a test prepares in the data folder before the window reads it.
    virtual void BeforeStart() {}
    emulator::EmulatedDevice& Emulated(emulator::EmulatedKind kind) { return *emulator.Find(kind); }
    // The selected profile's document of a kind's folder.
    Json::Value Document(const char* folder) {
        const Json::Value list = readjsonFile(data.Path() / folder / "ProfileList.ini");
        const int selected = list["profileselect"].asInt();
        return readjsonFile(data.Path() / folder /
                            (list["profilelist"][selected]["profileUUID"].asString() + ".Json"));
    }
    // Picks a row of a combo's list with the mouse, as a user does.
    static void ChooseItem(QComboBox* combo, int row) {
        ASSERT_NE(combo, nullptr);
        ASSERT_LT(row, combo->count());
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        WAIT_FOR(!view->isVisible());
    }
    // Clicks into the edit, replaces its text and leaves it with Tab, as a user does.
    void TypeAndLeave(QLineEdit* edit, const QString& text) {
        ASSERT_NE(edit, nullptr);
        window->activateWindow();
        QTest::mouseClick(edit, Qt::LeftButton);
        WAIT_FOR(edit->hasFocus());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        WAIT_FOR(!edit->hasFocus());
    }
    void Click(uint16_t kind, const char* name) {
        auto* button = On<QAbstractButton>(kind, name);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name;
        // A check box or option takes clicks on its indicator and text, at its left.
        const bool option = qobject_cast<QCheckBox*>(button) != nullptr || qobject_cast<QRadioButton*>(button) != nullptr;
        QTest::mouseClick(button, Qt::LeftButton, {}, option ? QPoint(8, button->height() / 2) : button->rect().center());
    }
    // The memories of a fresh emulated device of kind after morvekctl ran each command line of
    // commands on it, with a fresh data folder of its own (the profiles made from the templates).
    emulator::FirmwareMemory AfterCommandLine(emulator::EmulatedKind kind, const char* kindWord,
                                              const std::vector<std::vector<std::string>>& commands) {
        TempFolder run;
        const std::string state = (run / "state.json").string();
        for (const std::vector<std::string>& command : commands) {
            std::vector<std::string> args = {"--data-dir", (run / "data").string(), "--emulate", kindWord,
                                             "--emulator-state", state};
            args.insert(args.end(), command.begin(), command.end());
            std::ostringstream out, err;
            EXPECT_EQ(cli::RunMorvekctl(args, out, err), 0) << err.str();
        }
        emulator::EmulatorBackend replay;
        replay.Attach(kind);
        EXPECT_TRUE(replay.LoadState(state));
        return replay.Find(kind)->Memory();
    }
};

}  // namespace morvek::test
