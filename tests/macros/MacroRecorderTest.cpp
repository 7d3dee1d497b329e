#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MacroFixtures.h"
#include "macros/MacroActionEditor.h"
#include "macros/MacroRecorder.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

constexpr uint8_t kScanA = 0x1E;
constexpr uint8_t kScanB = 0x30;
constexpr uint8_t kUsageA = 0x04;
constexpr uint8_t kUsageB = 0x05;

// A recorder over the action list of one macro; time is in milliseconds the test chooses.
class MacroRecorderTest : public ::testing::Test {
protected:
    void LoadRows(int count) {
        std::vector<MacroEvent> events;
        for (int i = 0; i < count; ++i) events.push_back(test::KeyEvent(4 + i, true, 7));
        test::WriteMacroFolder(folder_.Path(), {events});
        model_.SetFolder(folder_.Path());
        model_.LoadMacroList();
        ASSERT_EQ(model_.SelectMacro(0), MacroStatus::Ok);
    }

    RecordedAction Key(bool press, uint8_t scan, long long at, bool extended = false) {
        return recorder_.RecordKey(editor_, press, scan, extended, at);
    }
    RecordedAction Button(int bit, bool press, long long at, bool onStop = false) {
        return recorder_.RecordMouseButton(editor_, bit, press, onStop, at);
    }

    MacroEvent Row(size_t i) const { return MacroEvent::FromJson(editor_.At(i).event); }
    std::vector<std::string> Delays() const {
        std::vector<std::string> delays;
        for (size_t i = 0; i < editor_.Count(); ++i) {
            EXPECT_EQ(editor_.At(i).delayText, editor_.At(i).event["Delay"].asString()) << i;
            delays.push_back(editor_.At(i).delayText);
        }
        return delays;
    }
    using Texts = std::vector<std::string>;

    test::TempFolder folder_;
    MacroListModel model_;
    MacroActionEditor editor_{model_};
    MacroRecorder recorder_;
};

TEST_F(MacroRecorderTest, MeasuredDelaysAreTheGapsToTheNextEvent) {
    LoadRows(0);
    recorder_.Start(RecordMode::Measured, HookMode::Append, 1000, "");
    Key(true, kScanA, 1100);
    Key(true, kScanA, 1130);  // the key repeats while held: one press
    Key(true, kScanA, 1160);
    Key(false, kScanA, 1180);
    Key(true, kScanB, 1480);
    Key(false, kScanB, 1550);
    ASSERT_EQ(editor_.Count(), 4u);
    EXPECT_EQ(Row(0), (MacroEvent{kMacroEventKey, kUsageA, true, 80}));
    EXPECT_EQ(Row(1), (MacroEvent{kMacroEventKey, kUsageA, false, 300}));
    EXPECT_EQ(Row(2), (MacroEvent{kMacroEventKey, kUsageB, true, 70}));
    EXPECT_EQ(Row(3), (MacroEvent{kMacroEventKey, kUsageB, false, 0}));
    EXPECT_EQ(Delays(), (Texts{"80", "300", "70", "0"}));
    EXPECT_EQ(editor_.Selected(), 3);

    // A pause longer than the longest delay stores the longest delay.
    Key(true, kScanA, 1550 + 70000);
    EXPECT_EQ(Row(3).delay, 65535);
}

TEST_F(MacroRecorderTest, ConstantDelayGoesToEveryNewRowAndTheRowBeforeIt) {
    LoadRows(0);
    EXPECT_EQ(recorder_.Start(RecordMode::Constant, HookMode::Append, 0, "120"), "120");
    for (long long t : {10, 20, 30}) Key(t != 20, kScanA, t);
    EXPECT_EQ(Delays(), (Texts{"120", "120", "120"}));

    // A typed value above the longest delay is shown and used as the longest delay.
    EXPECT_EQ(recorder_.Start(RecordMode::Constant, HookMode::Append, 0, "99999"), "65535");
    EXPECT_EQ(recorder_.ConstantDelay(), 65535);
    EXPECT_EQ(recorder_.Start(RecordMode::Constant, HookMode::Append, 0, "65535"), std::nullopt);
    Key(false, kScanA, 40);
    EXPECT_EQ(Delays(), (Texts{"120", "120", "65535", "65535"}));

    // Without delays every row gets 0, the row before as well.
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 0, "");
    Key(true, kScanB, 50);
    EXPECT_EQ(Delays(), (Texts{"120", "120", "65535", "0", "0"}));
}

TEST_F(MacroRecorderTest, InsertBeforeKeepsTheSelectedRowAndTheOrderOfTheNewOnes) {
    LoadRows(5);
    editor_.Select(2);
    recorder_.Start(RecordMode::NoDelays, HookMode::InsertBefore, 0, "");
    Key(true, kScanB, 1);
    Key(false, kScanB, 2);
    std::vector<int> usages;
    for (size_t i = 0; i < editor_.Count(); ++i) usages.push_back(Row(i).button * (Row(i).down ? 1 : -1));
    // Rows 0-4 are keys of usage 4..8 (A..E), pressed.
    EXPECT_EQ(usages, (std::vector<int>{4, 5, kUsageB, -kUsageB, 6, 7, 8}));
    EXPECT_EQ(editor_.Selected(), 4);
    EXPECT_EQ(Row(4).button, 6);
}

TEST_F(MacroRecorderTest, InsertAfterSelectsTheNewRowAndInsertionsNeedASelection) {
    LoadRows(3);
    recorder_.Start(RecordMode::Constant, HookMode::InsertAfter, 0, "30");
    EXPECT_EQ(Key(true, kScanB, 1).kind, RecordedAction::Kind::Dropped);
    EXPECT_EQ(Key(false, kScanB, 1).kind, RecordedAction::Kind::Dropped);
    editor_.Select(0);
    const RecordedAction placed = Key(true, kScanB, 2);
    // The first event a recorder ever records leaves the row before it alone; later ones set it.
    EXPECT_EQ(placed, (RecordedAction{RecordedAction::Kind::Placed, 1, -1}));
    EXPECT_EQ(Row(0).delay, 7);
    EXPECT_EQ(editor_.Selected(), 1);
    EXPECT_EQ(Key(false, kScanB, 3), (RecordedAction{RecordedAction::Kind::Placed, 2, 1}));
    EXPECT_EQ(editor_.Selected(), 2);
    EXPECT_EQ(Row(1).delay, 30);
    EXPECT_EQ(Row(2), (MacroEvent{kMacroEventKey, kUsageB, false, 30}));
    EXPECT_EQ(Row(3).button, 5);  // the old row 1 follows the new ones

    // Insert before the first row: the new row gets 0 and no row before it changes.
    recorder_.Start(RecordMode::Constant, HookMode::InsertBefore, 0, "30");
    editor_.Select(0);
    EXPECT_EQ(Key(true, kScanA, 4), (RecordedAction{RecordedAction::Kind::Placed, 0, -1}));
    EXPECT_EQ(Row(0).delay, 0);
}

TEST_F(MacroRecorderTest, KeysMapToUsagesAndModifierBits) {
    LoadRows(0);
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 0, "");
    struct Case {
        uint8_t scan;
        bool extended;
        int type;
        int button;
    } cases[] = {
        {0x1E, false, kMacroEventKey, 0x04},      // A
        {0x2A, false, kMacroEventModifier, 0x02}, // left Shift
        {0x1D, true, kMacroEventModifier, 0x10},  // right Ctrl
        {0x5B, true, kMacroEventModifier, 0x08},  // left Win
        {0x1C, true, kMacroEventKey, 0x58},       // keypad Enter
        {0x1C, false, kMacroEventKey, 0x28},      // Enter
        {0x45, true, kMacroEventKey, 0x53},       // Num Lock
        {0x45, false, kMacroEventKey, 0x48},      // Pause
        {0x3A, false, kMacroEventKey, 0x39},      // Caps Lock is recorded as well
    };
    for (const Case& c : cases) {
        const size_t before = editor_.Count();
        Key(true, c.scan, 1, c.extended);
        Key(false, c.scan, 2, c.extended);
        ASSERT_EQ(editor_.Count(), before + 2) << int(c.scan);
        EXPECT_EQ(Row(before), (MacroEvent{c.type, c.button, true, 0})) << int(c.scan);
        EXPECT_EQ(Row(before + 1), (MacroEvent{c.type, c.button, false, 0})) << int(c.scan);
    }
    // A key the capture table does not know is left out.
    EXPECT_EQ(Key(true, 0x6F, 3).kind, RecordedAction::Kind::Dropped);
    EXPECT_EQ(Key(true, 0x1E, 3, true).kind, RecordedAction::Kind::Dropped);
}

TEST_F(MacroRecorderTest, TheStopClickIsNotRecordedAndOtherClicksAre) {
    LoadRows(0);
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 0, "");
    EXPECT_EQ(Button(0x01, true, 1, true).kind, RecordedAction::Kind::Dropped);
    EXPECT_EQ(Button(0x01, false, 2, true).kind, RecordedAction::Kind::Dropped);
    EXPECT_EQ(editor_.Count(), 0u);
    Button(0x01, true, 3);
    Button(0x01, false, 4);
    // The right button is recorded over the stop button too: only a left click stops.
    Button(0x02, true, 5, true);
    Button(0x02, false, 6, true);
    ASSERT_EQ(editor_.Count(), 4u);
    EXPECT_EQ(Row(0), (MacroEvent{kMacroEventMouseButton, 0x01, true, 0}));
    EXPECT_EQ(Row(1), (MacroEvent{kMacroEventMouseButton, 0x01, false, 0}));
    EXPECT_EQ(Row(2), (MacroEvent{kMacroEventMouseButton, 0x02, true, 0}));
}

TEST_F(MacroRecorderTest, RepeatedButtonMessagesAreDroppedButTheTwoSideButtonsAreTwoButtons) {
    LoadRows(0);
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 0, "");
    Button(0x08, true, 1);
    Button(0x08, true, 2);   // the same message again
    Button(0x10, true, 3);   // forward while back is held
    Button(0x08, false, 4);
    Button(0x10, false, 5);
    EXPECT_EQ(Button(0x20, true, 6).kind, RecordedAction::Kind::Dropped);
    ASSERT_EQ(editor_.Count(), 4u);
    EXPECT_EQ(Row(1), (MacroEvent{kMacroEventMouseButton, 0x10, true, 0}));
}

TEST_F(MacroRecorderTest, AKeyHeldAtStopDoesNotSwallowTheFirstPressOfTheNextRecording) {
    LoadRows(0);
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 0, "");
    Key(true, kScanA, 1);
    Button(0x01, true, 2);
    recorder_.Stop();
    EXPECT_EQ(Key(false, kScanA, 3).kind, RecordedAction::Kind::Dropped);  // not recording
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 4, "");
    EXPECT_EQ(Key(true, kScanA, 5).kind, RecordedAction::Kind::Placed);
    EXPECT_EQ(Button(0x01, true, 6).kind, RecordedAction::Kind::Placed);
}

TEST_F(MacroRecorderTest, RecordingStopsAddingAtTwoThousandRows) {
    LoadRows(0);
    recorder_.Start(RecordMode::NoDelays, HookMode::Append, 0, "");
    for (size_t i = 0; i + 1 < MacroRecorder::kMaxRecordedActions; ++i)
        editor_.InsertAt(editor_.Count(), MacroEvent{kMacroEventKey, 4, true, 0});
    EXPECT_EQ(Key(true, kScanA, 1).kind, RecordedAction::Kind::Placed);
    EXPECT_EQ(Key(false, kScanA, 2).kind, RecordedAction::Kind::Dropped);
    EXPECT_EQ(editor_.Count(), MacroRecorder::kMaxRecordedActions);
    // Changing the selected row is not adding one.
    recorder_.Start(RecordMode::NoDelays, HookMode::EditSelected, 3, "");
    editor_.Select(0);
    EXPECT_EQ(Key(true, kScanB, 4).kind, RecordedAction::Kind::Edited);
}

TEST_F(MacroRecorderTest, EditSelectedChangesWhatTheRowPressesAndKeepsItsActionAndDelay) {
    LoadRows(2);
    editor_.SetDelayText(1, "333");
    recorder_.Start(RecordMode::NoDelays, HookMode::EditSelected, 0, "");
    EXPECT_EQ(Key(true, kScanB, 1).kind, RecordedAction::Kind::Dropped);  // no row selected
    editor_.Select(1);
    EXPECT_EQ(Key(true, 0x2A, 2), (RecordedAction{RecordedAction::Kind::Edited, 1, -1}));
    EXPECT_EQ(Row(1), (MacroEvent{kMacroEventModifier, 0x02, true, 7}));
    // The release changes it too; the row stays a press.
    EXPECT_EQ(Button(0x04, false, 3).kind, RecordedAction::Kind::Edited);
    EXPECT_EQ(Row(1), (MacroEvent{kMacroEventMouseButton, 0x04, true, 7}));
    EXPECT_EQ(editor_.At(1).delayText, "333");
    EXPECT_EQ(editor_.Count(), 2u);
}

}  // namespace
}  // namespace morvek
