#pragma once
// The text of a key's function as label ids: the view translates each id through its text
// resources and joins the parts with "+" (LCtrl with O reads "Ctrl+O" in English). Macro
// names are shown as they are.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/KeyAssignment.h"
#include "profiles/KeyListEntry.h"

namespace morvek {

// Label id of a key button's tooltip, followed by the key's label.
inline constexpr std::string_view kKeySetTooltipLabel = "Key_Set";
// Label of a disabled key.
inline constexpr std::string_view kDisabledKeyLabel = "close_text";

struct KeyLabelPart {
    std::string text;
    bool isLabelId = true;  // false: shown as it is (a macro name)

    bool operator==(const KeyLabelPart&) const = default;
};

struct KeyLabel {
    std::vector<KeyLabelPart> parts;  // empty: no label

    using Translate = std::function<std::string(std::string_view labelId)>;
    // The parts, label ids translated, joined with "+".
    std::string Text(const Translate& translate) const;

    bool operator==(const KeyLabel&) const = default;
};

// The label of an assignment; macroNames lists the macros in their order (the macro number).
KeyLabel KeyLabelFor(const KeyAssignment& assignment, std::span<const std::string> macroNames);

struct KeyButtonLabel {
    KeyLabel label;         // what the key does now; the tooltip is "Key_Set" and this label
    KeyLabel defaultLabel;  // the button's text: the key's factory function
    bool highlighted = false;  // the key does something else than its factory function
};

// One entry per key of keys, in order; entry i is the key with KeyIndex i.
std::vector<KeyButtonLabel> RefreshKeyLabels(std::span<const KeyListEntry> keys,
                                             std::span<const std::string> macroNames);

// The same for the mouse's logical buttons, whose factory function is the default half of their
// own entry (they have no place in the keyboard's matrix).
std::vector<KeyButtonLabel> RefreshButtonLabels(std::span<const KeyListEntry> buttons,
                                                std::span<const std::string> macroNames);

}  // namespace morvek
