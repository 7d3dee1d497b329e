#include "macros/MacroActionEditor.h"

#include <utility>

namespace morvek {

int MacroActionEditor::Selected() const {
    return selected_ >= 0 && static_cast<size_t>(selected_) < Count() ? selected_ : -1;
}

void MacroActionEditor::Select(int row) { selected_ = row >= 0 && static_cast<size_t>(row) < Count() ? row : -1; }

void MacroActionEditor::Rebuild(size_t from, size_t to) {
    auto& actions = model_.Actions();
    MacroAction action = std::move(actions[from]);
    action.delayText = MacroListModel::DelayText(action.event);
    actions.erase(actions.begin() + static_cast<std::ptrdiff_t>(from));
    actions.insert(actions.begin() + static_cast<std::ptrdiff_t>(to), std::move(action));
    selected_ = static_cast<int>(to);
}

bool MacroActionEditor::MoveToTop() {
    const int s = Selected();
    if (s <= 0) return false;
    Rebuild(static_cast<size_t>(s), 0);
    return true;
}

bool MacroActionEditor::MoveUp() {
    const int s = Selected();
    if (s <= 0) return false;
    Rebuild(static_cast<size_t>(s), static_cast<size_t>(s - 1));
    return true;
}

bool MacroActionEditor::MoveDown() {
    const int s = Selected();
    if (s < 0 || static_cast<size_t>(s) + 1 >= Count()) return false;
    Rebuild(static_cast<size_t>(s), static_cast<size_t>(s + 1));
    return true;
}

bool MacroActionEditor::MoveToBottom() {
    const int s = Selected();
    if (s < 0 || static_cast<size_t>(s) + 1 >= Count()) return false;
    Rebuild(static_cast<size_t>(s), Count() - 1);
    return true;
}

bool MacroActionEditor::DeleteSelected() {
    const int s = Selected();
    selected_ = -1;
    if (s < 0) return false;
    auto& actions = model_.Actions();
    actions.erase(actions.begin() + s);
    return true;
}

void MacroActionEditor::DeleteAll() {
    model_.Actions().clear();
    selected_ = -1;
}

void MacroActionEditor::InsertAt(size_t index, const MacroEvent& event) {
    auto& actions = model_.Actions();
    Json::Value stored = event.ToJson();
    std::string delayText = MacroListModel::DelayText(stored);
    actions.insert(actions.begin() + static_cast<std::ptrdiff_t>(std::min(index, actions.size())),
                   MacroAction{std::move(stored), std::move(delayText)});
}

size_t MacroActionEditor::InsertBelowSelection(const MacroEvent& event) {
    const size_t s = Selected() < 0 ? 0 : static_cast<size_t>(Selected());
    const bool wasEmpty = Count() == 0;
    const size_t index = wasEmpty ? 0 : s + 1;
    InsertAt(index, event);
    selected_ = wasEmpty ? -1 : static_cast<int>(index);
    return index;
}

void MacroActionEditor::SetDelayText(size_t row, std::string text) {
    if (row < Count()) model_.Actions()[row].delayText = std::move(text);
}

void MacroActionEditor::SetDelay(size_t row, int delayMs) {
    if (row >= Count()) return;
    MacroAction& action = model_.Actions()[row];
    action.delayText = std::to_string(delayMs);
    if (action.event.isObject()) action.event["Delay"] = action.delayText;
}

void MacroActionEditor::SetButton(size_t row, int type, int button) {
    if (row >= Count()) return;
    Json::Value& event = model_.Actions()[row].event;
    if (!event.isObject()) return;
    event["Button"] = button;
    event["Type"] = type;
}

}  // namespace morvek
