#pragma once
// The action list of the macro being edited, with its selected row: moves, deletes, inserted
// mouse actions and typed delays. A moved row is rebuilt from its stored event, so a delay
// typed into it and not yet saved gives way to the stored one. The panel saves the macro after
// every operation (MacroListModel::SaveSelectedMacro).

#include <cstddef>
#include <string>

#include "macros/MacroEvent.h"
#include "macros/MacroListModel.h"

namespace morvek {

class MacroActionEditor {
public:
    explicit MacroActionEditor(MacroListModel& model) : model_(model) {}

    size_t Count() const { return model_.Actions().size(); }
    const MacroAction& At(size_t row) const { return model_.Actions()[row]; }

    // The selected row, -1 when none.
    int Selected() const;
    // Selects row (none for -1 or a row that does not exist).
    void Select(int row);

    // Each needs a selected row; false when it changed nothing.
    bool MoveToTop();
    bool MoveUp();
    bool MoveDown();
    bool MoveToBottom();
    // Removes the selected row; afterwards no row is selected.
    bool DeleteSelected();
    void DeleteAll();

    // Inserts event below the selected row (below row 0 when none is selected) and selects it;
    // into an empty list it becomes the only row and nothing is selected. Returns its index.
    size_t InsertBelowSelection(const MacroEvent& event);
    // Inserts event at index (at most Count()); the selection is the caller's.
    void InsertAt(size_t index, const MacroEvent& event);

    // The text the user typed into a row's delay box; saving folds it into the event.
    void SetDelayText(size_t row, std::string text);
    // Sets a row's stored delay and the text its box shows.
    void SetDelay(size_t row, int delayMs);
    // Replaces what a row presses (its "Button" and "Type"); its action and delay stay.
    void SetButton(size_t row, int type, int button);

private:
    // Removes row `from` and inserts it, rebuilt from its stored event, at `to`; selects it.
    void Rebuild(size_t from, size_t to);

    MacroListModel& model_;
    int selected_ = -1;
};

}  // namespace morvek
