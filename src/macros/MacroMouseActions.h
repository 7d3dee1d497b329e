#pragma once
// The mouse actions the macro editor inserts by hand: button presses and releases from the
// action menu, and the four relative moves whose distance the user types next to their buttons.

#include <optional>
#include <string_view>
#include <vector>

#include "macros/MacroEvent.h"

namespace morvek {

enum class MacroMouseAction {
    LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp,
    ForwardDown, ForwardUp, BackDown, BackUp,
    MoveLeft, MoveRight, MoveUp, MoveDown,
};

bool IsMoveAction(MacroMouseAction action);

// The event of an action. A move's distance is the typed number cut to 8 bits (300 gives 44).
MacroEvent MouseActionEvent(MacroMouseAction action, long long distance, int delayMs);

// The actions of an action-menu item, names compared ignoring case: one for a press or release
// ("left_down"), the press and then the release for a click ("left_click"); none for other items.
std::vector<MacroMouseAction> MouseActionsOfMenuItem(std::string_view item);

// The move of an insert button ("macro_inset_moveleftkey_btn" ...), and the edit that holds its
// distance ("mouse_x_left_edit" ...).
std::optional<MacroMouseAction> MoveActionOfButton(std::string_view button);
const char* MoveDistanceEdit(MacroMouseAction move);

}  // namespace morvek
