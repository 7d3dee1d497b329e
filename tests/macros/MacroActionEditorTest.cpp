#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MacroFixtures.h"
#include "macros/MacroActionEditor.h"
#include "macros/JsonNumber.h"
#include "macros/MacroActionRow.h"
#include "macros/MacroMouseActions.h"
#include "support/TempFolder.h"

namespace morvek {
namespace {

// The action list of one macro whose rows are keys A (usage 4), B, C, ... with delays 10, 20, ...
class MacroActionEditorTest : public ::testing::Test {
protected:
    void LoadRows(int count) {
        std::vector<MacroEvent> events;
        for (int i = 0; i < count; ++i) events.push_back(test::KeyEvent(4 + i, true, 10 * (i + 1)));
        test::WriteMacroFolder(folder_.Path(), {events});
        model_.SetFolder(folder_.Path());
        model_.LoadMacroList();
        ASSERT_EQ(model_.SelectMacro(0), MacroStatus::Ok);
        ASSERT_EQ(editor_.Count(), static_cast<size_t>(count));
    }

    // The rows as letters of their keys (A for usage 4) or the id of a mouse row's name.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (size_t i = 0; i < editor_.Count(); ++i) {
            const MacroEvent e = MacroEvent::FromJson(editor_.At(i).event);
            rows.push_back(e.type == kMacroEventKey ? std::string(1, static_cast<char>('A' + e.button - 4))
                                                    : PresentMacroEvent(e).nameTextId + (e.down ? " down" : " up"));
        }
        return rows;
    }
    using Rows_ = std::vector<std::string>;

    test::TempFolder folder_;
    MacroListModel model_;
    MacroActionEditor editor_{model_};
};

TEST_F(MacroActionEditorTest, MovesRebuildTheRowAndSelectItsNewPlace) {
    LoadRows(3);
    editor_.Select(1);
    ASSERT_TRUE(editor_.MoveUp());
    EXPECT_EQ(Rows(), (Rows_{"B", "A", "C"}));
    EXPECT_EQ(editor_.Selected(), 0);
    ASSERT_TRUE(editor_.MoveToBottom());
    EXPECT_EQ(Rows(), (Rows_{"A", "C", "B"}));
    EXPECT_EQ(editor_.Selected(), 2);
    ASSERT_TRUE(editor_.MoveToTop());
    EXPECT_EQ(Rows(), (Rows_{"B", "A", "C"}));
    ASSERT_TRUE(editor_.MoveDown());
    EXPECT_EQ(Rows(), (Rows_{"A", "B", "C"}));
    EXPECT_EQ(editor_.Selected(), 1);

    // A typed delay that was not saved gives way to the stored one when its row moves; the
    // rows that stay keep theirs.
    editor_.SetDelayText(1, "999");
    editor_.SetDelayText(2, "555");
    ASSERT_TRUE(editor_.MoveUp());
    EXPECT_EQ(editor_.At(0).delayText, "20");
    EXPECT_EQ(editor_.At(2).delayText, "555");
}

TEST_F(MacroActionEditorTest, MovesAtTheEndsAndWithoutSelectionChangeNothing) {
    LoadRows(3);
    struct Case {
        int selected;
        bool (MacroActionEditor::*move)();
    } cases[] = {
        {0, &MacroActionEditor::MoveUp},      {0, &MacroActionEditor::MoveToTop},
        {2, &MacroActionEditor::MoveDown},    {2, &MacroActionEditor::MoveToBottom},
        {-1, &MacroActionEditor::MoveUp},     {-1, &MacroActionEditor::MoveDown},
        {-1, &MacroActionEditor::MoveToTop},  {-1, &MacroActionEditor::MoveToBottom},
        {-1, &MacroActionEditor::DeleteSelected},
    };
    for (const Case& c : cases) {
        editor_.Select(c.selected);
        EXPECT_FALSE((editor_.*c.move)());
        EXPECT_EQ(Rows(), (Rows_{"A", "B", "C"}));
        EXPECT_EQ(editor_.Selected(), c.selected);
    }
}

TEST_F(MacroActionEditorTest, DeleteLeavesNoSelectionSoASecondDeleteDoesNothing) {
    LoadRows(3);
    editor_.Select(1);
    ASSERT_TRUE(editor_.DeleteSelected());
    EXPECT_EQ(Rows(), (Rows_{"A", "C"}));
    EXPECT_EQ(editor_.Selected(), -1);
    EXPECT_FALSE(editor_.DeleteSelected());
    EXPECT_EQ(Rows(), (Rows_{"A", "C"}));
    editor_.Select(0);
    editor_.DeleteAll();
    EXPECT_EQ(editor_.Count(), 0u);
    EXPECT_EQ(editor_.Selected(), -1);
}

TEST_F(MacroActionEditorTest, MouseActionsGoBelowTheSelectedRow) {
    LoadRows(4);
    editor_.Select(2);
    for (MacroMouseAction action : MouseActionsOfMenuItem("LEFT_Click"))
        editor_.InsertBelowSelection(MouseActionEvent(action, 0, 50));
    EXPECT_EQ(Rows(), (Rows_{"A", "B", "C", "mouse_key_left down", "mouse_key_left up", "D"}));
    EXPECT_EQ(editor_.Selected(), 4);
    EXPECT_EQ(editor_.At(3).event["Delay"], "50");
    EXPECT_EQ(editor_.At(3).delayText, "50");

    // Without a selection the action goes below the first row.
    editor_.Select(-1);
    editor_.InsertBelowSelection(MouseActionEvent(MacroMouseAction::BackDown, 0, 50));
    EXPECT_EQ(Rows()[1], "mouse_key_back down");
    EXPECT_EQ(editor_.Selected(), 1);
}

TEST_F(MacroActionEditorTest, AnActionIntoAnEmptyListIsNotSelected) {
    LoadRows(0);
    editor_.InsertBelowSelection(MouseActionEvent(MacroMouseAction::RightDown, 0, 50));
    EXPECT_EQ(editor_.Selected(), -1);
    // The release of a click then goes below it, and is selected.
    editor_.InsertBelowSelection(MouseActionEvent(MacroMouseAction::RightUp, 0, 50));
    EXPECT_EQ(Rows(), (Rows_{"mouse_key_right down", "mouse_key_right up"}));
    EXPECT_EQ(editor_.Selected(), 1);
}

TEST_F(MacroActionEditorTest, InsertedRowsAreSavedWithTheMacro) {
    LoadRows(1);
    editor_.Select(0);
    editor_.InsertBelowSelection(MouseActionEvent(MacroMouseAction::MoveUp, IntegerOfText("300"), 50));
    editor_.SetDelayText(0, "07");
    ASSERT_EQ(model_.SaveSelectedMacro(), MacroStatus::Ok);
    const Json::Value events = readjsonFile(folder_ / (model_.Macros()[0].guid + ".mac"))["Events"];
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]["Delay"], "7");
    Json::Value move(Json::objectValue);
    move["Action"] = "down";
    move["Button"] = 44;  // 300 cut to 8 bits
    move["Delay"] = "50";
    move["Type"] = 5;
    EXPECT_EQ(events[1], move);
}

}  // namespace
}  // namespace morvek
