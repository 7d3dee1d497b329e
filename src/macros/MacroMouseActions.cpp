#include "macros/MacroMouseActions.h"

#include <array>

#include "profiles/ProfileNames.h"

namespace morvek {
namespace {

struct ActionRow {
    MacroMouseAction action;
    int type;
    int button;  // the button bit; 0 for moves, whose button is the distance
    bool down;
};

constexpr std::array<ActionRow, 14> kActions = {{
    {MacroMouseAction::LeftDown, kMacroEventMouseButton, 0x01, true},
    {MacroMouseAction::LeftUp, kMacroEventMouseButton, 0x01, false},
    {MacroMouseAction::RightDown, kMacroEventMouseButton, 0x02, true},
    {MacroMouseAction::RightUp, kMacroEventMouseButton, 0x02, false},
    {MacroMouseAction::MiddleDown, kMacroEventMouseButton, 0x04, true},
    {MacroMouseAction::MiddleUp, kMacroEventMouseButton, 0x04, false},
    {MacroMouseAction::ForwardDown, kMacroEventMouseButton, 0x10, true},
    {MacroMouseAction::ForwardUp, kMacroEventMouseButton, 0x10, false},
    {MacroMouseAction::BackDown, kMacroEventMouseButton, 0x08, true},
    {MacroMouseAction::BackUp, kMacroEventMouseButton, 0x08, false},
    {MacroMouseAction::MoveLeft, kMacroEventMoveHorizontal, 0, true},
    {MacroMouseAction::MoveRight, kMacroEventMoveHorizontal, 0, false},
    {MacroMouseAction::MoveUp, kMacroEventMoveVertical, 0, true},
    {MacroMouseAction::MoveDown, kMacroEventMoveVertical, 0, false},
}};

const ActionRow& RowOf(MacroMouseAction action) { return kActions[static_cast<size_t>(action)]; }

struct MenuItem {
    std::string_view name;
    std::vector<MacroMouseAction> actions;
};

const std::vector<MenuItem>& MenuItems() {
    using A = MacroMouseAction;
    static const std::vector<MenuItem> items = {
        {"left_down", {A::LeftDown}},       {"left_up", {A::LeftUp}},
        {"middle_down", {A::MiddleDown}},   {"middle_up", {A::MiddleUp}},
        {"right_down", {A::RightDown}},     {"right_up", {A::RightUp}},
        {"forward_down", {A::ForwardDown}}, {"forward_up", {A::ForwardUp}},
        {"back_down", {A::BackDown}},       {"back_up", {A::BackUp}},
        {"left_click", {A::LeftDown, A::LeftUp}},
        {"middle_click", {A::MiddleDown, A::MiddleUp}},
        {"right_click", {A::RightDown, A::RightUp}},
        {"forward_click", {A::ForwardDown, A::ForwardUp}},
        {"back_click", {A::BackDown, A::BackUp}},
    };
    return items;
}

struct MoveButton {
    std::string_view button;
    MacroMouseAction move;
    const char* edit;
};

constexpr std::array<MoveButton, 4> kMoveButtons = {{
    {"macro_inset_moveleftkey_btn", MacroMouseAction::MoveLeft, "mouse_x_left_edit"},
    {"macro_inset_moverightkey_btn", MacroMouseAction::MoveRight, "mouse_x_right_edit"},
    {"macro_inset_moveupkey_btn", MacroMouseAction::MoveUp, "mouse_y_up_edit"},
    {"macro_inset_movedownkey_btn", MacroMouseAction::MoveDown, "mouse_y_down_edit"},
}};

}  // namespace

bool IsMoveAction(MacroMouseAction action) { return RowOf(action).button == 0; }

MacroEvent MouseActionEvent(MacroMouseAction action, long long distance, int delayMs) {
    const ActionRow& row = RowOf(action);
    const int button = IsMoveAction(action) ? static_cast<int>(static_cast<unsigned long long>(distance) & 0xFF) : row.button;
    return {row.type, button, row.down, delayMs};
}

std::vector<MacroMouseAction> MouseActionsOfMenuItem(std::string_view item) {
    for (const MenuItem& entry : MenuItems()) {
        if (SameNameIgnoringCase(entry.name, item)) return entry.actions;
    }
    return {};
}

std::optional<MacroMouseAction> MoveActionOfButton(std::string_view button) {
    for (const MoveButton& entry : kMoveButtons) {
        if (entry.button == button) return entry.move;
    }
    return std::nullopt;
}

const char* MoveDistanceEdit(MacroMouseAction move) {
    for (const MoveButton& entry : kMoveButtons) {
        if (entry.move == move) return entry.edit;
    }
    return "";
}

}  // namespace morvek
