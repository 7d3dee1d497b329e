#include "devices/keys/KeyLabels.h"

#include <array>
#include <utility>

#include "devices/keys/KeyDefaultTable.h"
#include "devices/keys/KeyFunctionTables.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyNameTable.h"

namespace morvek {
namespace {

// In the order of MediaKeyTable.
constexpr std::array<std::string_view, 18> kMediaLabels = {
    "media_text", "media_play",  "media_stop", "media_prev",    "media_next",  "media_vol_sub",
    "media_vol_add", "media_mute", "web_text", "web_refresh", "wed_stop",    "wed_back",
    "wed_forward", "wed_favorite", "web_search", "media_mypc", "media_calc",  "media_mail",
};

struct LabelByParameter {
    uint8_t p1;
    std::string_view label;
};

// In the order of MouseKeyTable.
constexpr std::array<LabelByParameter, 5> kMouseLabels = {{
    {0x01, "mouse_key_left"},
    {0x04, "mouse_key_middle"},
    {0x02, "mouse_key_right"},
    {0x10, "mouse_key_forward"},
    {0x08, "mouse_key_back"},
}};

constexpr std::array<LabelByParameter, 3> kDpiLabels = {
    {{1, "mouse_key_DPI_add"}, {2, "mouse_key_DPI_sub"}, {3, "mouse_key_DPI_loop"}}};

constexpr std::array<LabelByParameter, 3> kSystemLabels = {
    {{0x01, "system_power"}, {0x02, "system_sleep"}, {0x04, "system_wake_up"}}};

KeyLabel Id(std::string_view id) { return KeyLabel{{KeyLabelPart{std::string(id), true}}}; }

template <size_t N>
KeyLabel ByParameter(const std::array<LabelByParameter, N>& labels, uint8_t p1) {
    for (const LabelByParameter& row : labels) {
        if (row.p1 == p1) return Id(row.label);
    }
    return {};
}

// A keyboard key: the named key or modifier, else the modifier row whose bit equals p1 and the
// key row whose usage equals p2, joined. A key with several modifiers lists only the key.
KeyLabel KeyboardLabel(const KeyAssignment& a) {
    const auto rows = KeyCaptureTable();
    for (const KeyNameRow& row : rows) {
        if (row.assignment.p1 == a.p1 && row.assignment.p2 == a.p2) return Id(row.label);
    }
    if (a.p1 == 0 && a.p2 == 0) return Id(kDisabledKeyLabel);
    KeyLabel label;
    if (const auto modifier = FindModifierRow(a.p1)) {
        label.parts.push_back({std::string(rows[*modifier].label), true});
    }
    if (const auto key = FindKeyRow(a.p2)) {
        label.parts.push_back({std::string(rows[*key].label), true});
    }
    return label;
}

KeyLabel BuiltInLabel(const KeyAssignment& a) {
    for (const KeyNameRow& row : KeyNameTable()) {
        if (row.assignment == a) return Id(row.label);
    }
    return {};
}

}  // namespace

std::string KeyLabel::Text(const Translate& translate) const {
    std::string text;
    for (const KeyLabelPart& part : parts) {
        if (!text.empty()) text += '+';
        text += part.isLabelId ? translate(part.text) : part.text;
    }
    return text;
}

KeyLabel KeyLabelFor(const KeyAssignment& a, std::span<const std::string> macroNames) {
    switch (a.type) {
        case kKeyTypeNone:
        case kKeyTypeKeyboard: return KeyboardLabel(a);
        case kKeyTypeMouseButton: return ByParameter(kMouseLabels, a.p1);
        case kKeyTypeSwing: return Id(a.p2 & 0x80 ? "mouse_key_right_Swing" : "mouse_key_left_Swing");
        case kKeyTypeWheel: return Id(a.p2 & 0x80 ? "mouse_key_down_Swing" : "mouse_key_up_Swing");
        case kKeyTypeDpi: return ByParameter(kDpiLabels, a.p1);
        case kKeyTypeRapidFire: return Id("mouse_key_fire_key");
        case kKeyTypeConsumer: {
            const auto row = FindFunctionRow(MediaKeyTable(), a);
            return row ? Id(kMediaLabels[size_t(*row)]) : KeyLabel{};
        }
        case kKeyTypeSystem: return ByParameter(kSystemLabels, a.p1);
        case kKeyTypeMacroRepeatMode:
        case kKeyTypeMacroRepeatCount:
            if (a.p1 < macroNames.size()) return KeyLabel{{KeyLabelPart{macroNames[a.p1], false}}};
            return {};
        case kKeyTypeBuiltIn:
        case kKeyTypeBuiltInMacro: return BuiltInLabel(a);
        // Mouse functions that carry no label.
        case 0x15:
        case 0x21:
        case 0x50:
        case 0x60:
        case kKeyTypeCombo:
        case 0xC0: return {};
        default: return Id(kDisabledKeyLabel);
    }
}

std::vector<KeyButtonLabel> RefreshKeyLabels(std::span<const KeyListEntry> keys,
                                             std::span<const std::string> macroNames) {
    const auto& defaults = DefaultKeyTable();
    std::vector<KeyButtonLabel> labels;
    labels.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        KeyButtonLabel button;
        button.label = KeyLabelFor(keys[i].current, macroNames);
        if (i < defaults.size()) button.defaultLabel = KeyLabelFor(defaults[i], macroNames);
        button.highlighted = button.label != button.defaultLabel;
        labels.push_back(std::move(button));
    }
    return labels;
}

std::vector<KeyButtonLabel> RefreshButtonLabels(std::span<const KeyListEntry> buttons,
                                                std::span<const std::string> macroNames) {
    std::vector<KeyButtonLabel> labels;
    labels.reserve(buttons.size());
    for (const KeyListEntry& entry : buttons) {
        KeyButtonLabel button;
        button.label = KeyLabelFor(entry.current, macroNames);
        button.defaultLabel = KeyLabelFor(entry.defaults, macroNames);
        button.highlighted = button.label != button.defaultLabel;
        labels.push_back(std::move(button));
    }
    return labels;
}

}  // namespace morvek
