#include "macros/MacroActionRow.h"

#include "devices/keys/KeyNameTable.h"

namespace morvek {
namespace {

std::string KeyTextId(const MacroEvent& event) {
    if (event.button < 0 || event.button > 0xFF) return {};
    const auto row = event.type == kMacroEventKey ? FindKeyRow(static_cast<uint8_t>(event.button))
                                                  : FindModifierRow(static_cast<uint8_t>(event.button));
    return row ? std::string(KeyNameTable()[*row].label) : std::string();
}

std::string MoveTextId(const MacroEvent& event) {
    if (event.type == kMacroEventMoveHorizontal) return event.down ? "mouse_move_to_left_text" : "mouse_move_to_right_text";
    return event.down ? "mouse_move_to_up_text" : "mouse_move_to_down_text";
}

}  // namespace

std::string MouseButtonTextId(int buttonBit) {
    switch (buttonBit) {
        case 0x01: return "mouse_key_left";
        case 0x02: return "mouse_key_right";
        case 0x04: return "mouse_key_middle";
        case 0x08: return "mouse_key_back";
        case 0x10: return "mouse_key_forward";
        default: return {};
    }
}

MacroActionRowView PresentMacroEvent(const MacroEvent& event) {
    const char* pressStyle = event.down ? kMacroDownStyle : kMacroUpStyle;
    switch (event.type) {
        case kMacroEventKey:
        case kMacroEventModifier: return {KeyTextId(event), kMacroKeyboardStyle, pressStyle, {}};
        case kMacroEventMouseButton: return {MouseButtonTextId(event.button), kMacroMouseStyle, pressStyle, {}};
        case kMacroEventMoveHorizontal:
        case kMacroEventMoveVertical:
            return {MoveTextId(event), kMacroMouseStyle, kMacroTextStyle, std::to_string(event.button)};
        default: return {{}, kMacroMouseStyle, kMacroTextStyle, {}};
    }
}

}  // namespace morvek
