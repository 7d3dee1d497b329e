#include <gtest/gtest.h>

#include "MacroFixtures.h"
#include "macros/MacroPanel.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

TEST(MacroPanelTriggersTest, EachTriggerStartsItsRecording) {
    struct Case {
        const char* trigger;
        bool constantChecked;
        std::optional<RecordingRequest> request;
    } cases[] = {
        {"macro_btn_starredio", false, RecordingRequest{RecordMode::Measured, HookMode::Append}},
        {"macro_btn_starredio", true, RecordingRequest{RecordMode::Constant, HookMode::Append}},
        {"redio_previous_record_time", true, RecordingRequest{RecordMode::Constant, HookMode::InsertBefore}},
        {"REDIO_PREVIOUS_RECORD_TIME", false, RecordingRequest{RecordMode::Measured, HookMode::InsertBefore}},
        {"redio_previous_constant_time", false, RecordingRequest{RecordMode::Constant, HookMode::InsertBefore}},
        {"redio_previous_ignore_time", true, RecordingRequest{RecordMode::NoDelays, HookMode::InsertBefore}},
        {"redio_later_record_time", false, RecordingRequest{RecordMode::Measured, HookMode::InsertAfter}},
        {"redio_later_constant_time", false, RecordingRequest{RecordMode::Constant, HookMode::InsertAfter}},
        {"redio_later_ignore_time", false, RecordingRequest{RecordMode::NoDelays, HookMode::InsertAfter}},
        {"macro_action_edit", true, RecordingRequest{RecordMode::NoDelays, HookMode::EditSelected}},
        {"left_click", false, std::nullopt},
        {"macro_btn_stopredio", false, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(RecordingOfTrigger(c.trigger, c.constantChecked), c.request) << c.trigger;
    EXPECT_EQ(ActionEditOfButton("macro_btn_downbottom"), ActionEdit::ToBottom);
    EXPECT_EQ(ActionEditOfButton("macro_btn_deleteall"), ActionEdit::DeleteAll);
    EXPECT_FALSE(ActionEditOfButton("macro_btn_save"));
}

class MacroPanelTest : public ::testing::Test {
protected:
    MacroPanelTest() {
        test::WriteMacroFolder(folder_.Path(), {{test::KeyEvent(4, true, 10), test::KeyEvent(4, false, 20)}, {}});
        panel_.SetFolder(folder_.Path());
    }
    Json::Value SavedEvents(size_t macro) const {
        return readjsonFile(folder_ / (panel_.List().Macros()[macro].guid + ".mac"))["Events"];
    }

    test::TempFolder folder_;
    MacroPanel panel_;
};

TEST_F(MacroPanelTest, ControlsFollowTheSelectionAndTheRecording) {
    EXPECT_EQ(panel_.Controls(), (MacroPanelControls{false, false, true, false}));
    std::optional<std::string> shown;
    EXPECT_FALSE(panel_.StartRecording({RecordMode::Measured, HookMode::Append}, 0, "", shown));
    ASSERT_EQ(panel_.SelectMacro(0), MacroStatus::Ok);
    EXPECT_EQ(panel_.Controls(), (MacroPanelControls{true, true, true, false}));
    ASSERT_TRUE(panel_.StartRecording({RecordMode::Constant, HookMode::Append}, 0, "70000", shown));
    EXPECT_EQ(shown, "65535");
    EXPECT_EQ(panel_.Controls(), (MacroPanelControls{true, true, false, true}));
    ASSERT_EQ(panel_.StopRecording(), MacroStatus::Ok);
    EXPECT_EQ(panel_.Controls(), (MacroPanelControls{true, true, true, false}));
}

TEST_F(MacroPanelTest, ARecordingIsSavedWhenItStops) {
    ASSERT_EQ(panel_.SelectMacro(1), MacroStatus::Ok);
    std::optional<std::string> shown;
    ASSERT_TRUE(panel_.StartRecording({RecordMode::Measured, HookMode::Append}, 1000, "", shown));
    panel_.RecordKey(true, 0x1E, false, 1100);
    panel_.RecordMouseButton(0x02, true, false, 1150);
    panel_.RecordKey(false, 0x1E, false, 1200);
    EXPECT_EQ(SavedEvents(1).size(), 0u);  // not yet
    ASSERT_EQ(panel_.StopRecording(), MacroStatus::Ok);
    const Json::Value events = SavedEvents(1);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(MacroEvent::FromJson(events[0]), (MacroEvent{kMacroEventKey, 4, true, 50}));
    EXPECT_EQ(MacroEvent::FromJson(events[1]), (MacroEvent{kMacroEventMouseButton, 2, true, 50}));
    EXPECT_EQ(events[2]["Delay"], "0");
    // Without a recording nothing is recorded.
    EXPECT_EQ(panel_.RecordKey(true, 0x1E, false, 1300).kind, RecordedAction::Kind::Dropped);
}

TEST_F(MacroPanelTest, EveryEditSavesTheMacroEvenWhenItMovesNothing) {
    ASSERT_EQ(panel_.SelectMacro(0), MacroStatus::Ok);
    panel_.Actions().Select(0);
    panel_.SetDelayText(1, "07");
    ASSERT_EQ(panel_.Edit(ActionEdit::Up), MacroStatus::Ok);  // the first row stays where it is
    EXPECT_EQ(SavedEvents(0)[1]["Delay"], "7");

    // Inserted mouse actions wait the constant delay of the last constant recording.
    std::optional<std::string> shown;
    ASSERT_TRUE(panel_.StartRecording({RecordMode::Constant, HookMode::Append}, 0, "120", shown));
    ASSERT_EQ(panel_.StopRecording(), MacroStatus::Ok);
    panel_.Actions().Select(0);
    ASSERT_EQ(panel_.InsertMouseActions(MouseActionsOfMenuItem("middle_click"), 0), MacroStatus::Ok);
    const Json::Value events = SavedEvents(0);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(MacroEvent::FromJson(events[1]), (MacroEvent{kMacroEventMouseButton, 4, true, 120}));
    EXPECT_EQ(MacroEvent::FromJson(events[2]), (MacroEvent{kMacroEventMouseButton, 4, false, 120}));

    ASSERT_EQ(panel_.Edit(ActionEdit::DeleteAll), MacroStatus::Ok);
    EXPECT_EQ(SavedEvents(0).size(), 0u);
}

TEST_F(MacroPanelTest, CancelDropsWhatWasNotSaved) {
    ASSERT_EQ(panel_.SelectMacro(0), MacroStatus::Ok);
    panel_.Actions().Select(1);
    panel_.SetDelayText(0, "999");
    panel_.Actions().DeleteSelected();
    panel_.Cancel();
    ASSERT_EQ(panel_.Actions().Count(), 2u);
    EXPECT_EQ(panel_.Actions().At(0).delayText, "10");
    EXPECT_EQ(panel_.Actions().Selected(), -1);
}

TEST(MacroPanelMessagesTest, FailuresNameTheirMessage) {
    EXPECT_EQ(MacroStatusMessage(MacroStatus::Ok), "");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::NoSelection), "");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::NameEmpty), "message_text_5_1");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::NameHasBlank), "message_text_5_2");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::NameTaken), "message_text_5");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::LimitReached), "macro_limit_text");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::WriteFailed), "macro_write_failed_text");
    EXPECT_EQ(MacroStatusMessage(MacroStatus::NotAMacroFile), "macro_not_a_macro_text");
}

}  // namespace
}  // namespace morvek
