#pragma once
// What an action row of the macro editor shows for an event: the text id of its name with the
// name label's style, and the action label (press or release style, or a move's distance).
// The view translates the text ids and applies the styles; the delay box shows DelayText.

#include <string>

#include "macros/MacroEvent.h"

namespace morvek {

inline constexpr const char* kMacroKeyboardStyle = "macro_label_keyboard_style";
inline constexpr const char* kMacroMouseStyle = "macro_label_mouse_style";
inline constexpr const char* kMacroDownStyle = "macro_label_down_style";
inline constexpr const char* kMacroUpStyle = "macro_label_up_style";
inline constexpr const char* kMacroTextStyle = "macro_label_text_style";

struct MacroActionRowView {
    std::string nameTextId;   // empty when the event has no name
    std::string nameStyle;
    std::string actionStyle;
    std::string actionText;   // the distance of a move, else empty

    bool operator==(const MacroActionRowView&) const = default;
};

MacroActionRowView PresentMacroEvent(const MacroEvent& event);

// The text id of a mouse button by its bit (0x01 left ... 0x10 forward); empty for other values.
std::string MouseButtonTextId(int buttonBit);

}  // namespace morvek
