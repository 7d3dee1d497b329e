#include "devices/keys/KeyPanel.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <span>

#include "devices/keys/KeyFunctionTables.h"
#include "devices/keys/KeyFunctionType.h"
#include "devices/keys/KeyNameTable.h"

namespace morvek {
namespace {

constexpr int kLastPage = kPageCombo;
constexpr int kMacroRepeatItems = kMacroRepeatCountItem + 1;
constexpr KeyAssignment kDisabledKey{kKeyTypeKeyboard, 0, 0};

// Modifier option of modifier row i: LCtrl and RCtrl give 1, LShift and RShift 2, and so on.
int ModifierOption(size_t row) { return int((row + 1) % 5 + (row + 1) / 5); }

std::optional<KeyAssignment> RowAt(std::span<const KeyAssignment> table, int item) {
    if (item < 0 || size_t(item) >= table.size()) return std::nullopt;
    return table[size_t(item)];
}

void SelectRow(std::span<const KeyAssignment> table, const KeyAssignment& a, int& item) {
    if (const auto row = FindFunctionRow(table, a)) item = *row;
}

uint8_t DelaySpeed(std::string_view delay, std::string_view speed) {
    return uint8_t((EditNumber(delay) & 15) * 16 + (EditNumber(speed) & 15));
}

uint8_t LowByte(std::string_view text) { return uint8_t(EditNumber(text) & 0xFF); }

void ShowKeyboardKey(KeyPanelState& panel, const KeyAssignment& a) {
    const auto rows = KeyNameTable();
    if (a.p1 == 0) {
        if (const auto row = FindKeyRow(a.p2)) {
            panel.modifierOption = 0;
            panel.keyboardKeyLabel = std::string(rows[*row].label);
        } else {
            panel.modifierOption = kNoItem;
            panel.keyboardKeyLabel.clear();
            panel.held.current = kDisabledKey;
        }
        return;
    }
    if (a.p1 > kModifierRWin) {
        SelectRow(ComboKeyTable(), a, panel.comboItem);
        return;
    }
    // Two or more modifiers cannot be shown with the options: the key alone is shown.
    const auto modifier = FindModifierRow(a.p1);
    panel.modifierOption = modifier ? ModifierOption(*modifier) : 0;
    const auto key = FindKeyRow(a.p2);
    panel.keyboardKeyLabel = key ? std::string(rows[*key].label) : std::string();
}

void ShowMacro(KeyPanelState& panel, const KeyAssignment& a) {
    const bool valid = a.p1 < panel.macroCount;
    panel.macroItem = valid ? a.p1 : kNoItem;
    if (a.type == kKeyTypeMacroRepeatCount) {
        panel.macroRepeatItem = valid ? kMacroRepeatCountItem : kNoItem;
        panel.macroCycleVisible = valid;
        panel.macroCycleCount = std::to_string(a.p2);
    } else {
        panel.macroRepeatItem = valid && a.p2 < kMacroRepeatItems ? a.p2 : kNoItem;
        panel.macroCycleVisible = false;
    }
}

// The page of assignment, after filling that page's controls; empty for a type with no page.
std::optional<int> ShowOnPage(KeyPanelState& panel, const KeyAssignment& a) {
    switch (a.type) {
        case kKeyTypeMouseButton: SelectRow(MouseKeyTable(), a, panel.mouseKeyItem); return kPageMouseButton;
        case kKeyTypeSwing:
            panel.swingDelay = std::to_string(a.p1 >> 4);
            panel.swingSpeed = std::to_string(a.p1 & 15);
            panel.swingCount = std::to_string(a.p2 & 0x7F);
            panel.swingDirectionItem = a.p2 >> 7;
            return kPageSwing;
        case kKeyTypeWheel:
            panel.wheelDelay = std::to_string(a.p1 >> 4);
            panel.wheelSpeed = std::to_string(a.p1 & 15);
            panel.wheelDirectionItem = a.p2 >> 7;
            panel.wheelCount = std::to_string(a.p2 & 0x80 ? 128 - (a.p2 & 0x7F) : a.p2);
            return kPageWheel;
        case kKeyTypeDpi: SelectRow(DpiKeyTable(), a, panel.dpiItem); return kPageDpi;
        case kKeyTypeRapidFire:
            panel.fireInterval = std::to_string(a.p1);
            panel.fireCount = std::to_string(a.p2);
            return kPageRapidFire;
        case kKeyTypeKeyboard: ShowKeyboardKey(panel, a); return a.p1 > kModifierRWin ? kPageCombo : kPageKeyboard;
        case kKeyTypeConsumer: SelectRow(MediaKeyTable(), a, panel.mediaItem); return kPageMedia;
        case kKeyTypeSystem: SelectRow(SystemKeyTable(), a, panel.systemItem); return kPageSystem;
        case kKeyTypeMacroRepeatMode:
        case kKeyTypeMacroRepeatCount: ShowMacro(panel, a); return kPageMacro;
        case kKeyTypeGunKey: panel.gunItem = a.p1; return kPageGunKey;
        case kKeyTypeCombo: return kPageCombo;
        default: return std::nullopt;
    }
}

void BuildMacro(KeyPanelState& panel, KeyAssignment& a) {
    if (panel.macroItem < 0 || panel.macroItem >= panel.macroCount) return;
    a.p1 = uint8_t(panel.macroItem);
    if (panel.macroRepeatItem == kMacroRepeatCountItem) {
        a.type = kKeyTypeMacroRepeatCount;
        a.p2 = LowByte(panel.macroCycleCount);
    } else {
        // Without a repeat mode item the macro plays in the first mode.
        const bool mode = panel.macroRepeatItem >= 0 && panel.macroRepeatItem < kMacroRepeatCountItem;
        a.type = kKeyTypeMacroRepeatMode;
        a.p2 = mode ? uint8_t(panel.macroRepeatItem) : 0;
    }
}

void BuildFromTable(std::span<const KeyAssignment> table, int item, KeyAssignment& a) {
    if (const auto row = RowAt(table, item)) a = *row;
}

}  // namespace

bool PanelOffersPage(KeyPanelDevice device, int page) {
    if (page < kPageDefault || page > kLastPage) return false;
    return device == KeyPanelDevice::Mouse || (page != kPageDpi && page != kPageGunKey);
}

int64_t EditNumber(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

void HoldEntry(KeyPanelState& panel, const KeyListEntry& entry) {
    panel.held = entry;
    ShowAssignment(panel, entry.current);
}

void ShowAssignment(KeyPanelState& panel, const KeyAssignment& assignment) {
    const std::optional<int> page =
        assignment == panel.held.defaults ? std::optional<int>(kPageDefault) : ShowOnPage(panel, assignment);
    if (!page || !PanelOffersPage(panel.device, *page)) {
        panel.layoutVisible = false;
        return;
    }
    panel.layoutVisible = true;
    panel.functionPage = *page;
    panel.tab = *page;
}

KeyListEntry BuildAssignmentFromPanel(KeyPanelState& panel) {
    KeyAssignment& a = panel.held.current;
    switch (panel.functionPage.value_or(kPageDefault)) {
        case kPageMouseButton: BuildFromTable(MouseKeyTable(), panel.mouseKeyItem, a); break;
        case kPageSwing:
            a.type = kKeyTypeSwing;
            a.p1 = DelaySpeed(panel.swingDelay, panel.swingSpeed);
            if (panel.swingDirectionItem == 0 || panel.swingDirectionItem == 1) {
                a.p2 = uint8_t((EditNumber(panel.swingCount) & 0x7F) | (panel.swingDirectionItem << 7));
            }
            break;
        case kPageWheel: {
            a.type = kKeyTypeWheel;
            a.p1 = DelaySpeed(panel.wheelDelay, panel.wheelSpeed);
            const int64_t count = EditNumber(panel.wheelCount);
            if (panel.wheelDirectionItem == 0) a.p2 = uint8_t(count & 0x7F);
            if (panel.wheelDirectionItem == 1) a.p2 = uint8_t(((128 - count) | 0x80) & 0xFF);
            break;
        }
        case kPageDpi: BuildFromTable(DpiKeyTable(), panel.dpiItem, a); break;
        case kPageRapidFire: a = {kKeyTypeRapidFire, LowByte(panel.fireInterval), LowByte(panel.fireCount)}; break;
        case kPageKeyboard: {
            const int option = panel.modifierOption;
            a.type = kKeyTypeKeyboard;
            a.p1 = option >= 1 && option <= 4 ? uint8_t(1 << (option - 1)) : 0;
            if (panel.keyboardKeyLabel.empty()) a.p2 = 0;
            break;
        }
        case kPageMedia: BuildFromTable(MediaKeyTable(), panel.mediaItem, a); break;
        case kPageSystem: BuildFromTable(SystemKeyTable(), panel.systemItem, a); break;
        case kPageMacro: BuildMacro(panel, a); break;
        case kPageGunKey:
            if (panel.gunItem >= 0 && panel.gunItem <= 0xFF) a = {kKeyTypeGunKey, uint8_t(panel.gunItem), 0};
            break;
        case kPageCombo: BuildFromTable(ComboKeyTable(), panel.comboItem, a); break;
        default: a = panel.held.defaults; break;
    }
    return panel.held;
}

void SelectFunctionPage(KeyPanelState& panel, int page) {
    panel.functionPage = page;
    panel.tab = page;
    if (page == kPageKeyboard) {
        panel.keyboardKeyLabel.clear();
        panel.modifierOption = kNoItem;
    }
}

void SelectMacroRepeat(KeyPanelState& panel, int item) {
    panel.macroRepeatItem = item;
    panel.macroCycleVisible = item == kMacroRepeatCountItem;
}

bool CaptureKey(KeyPanelState& panel, uint8_t scanCode, bool extended) {
    const auto found = FindCaptureRow(scanCode, extended);
    if (!found) return false;
    const KeyNameRow& row = KeyCaptureTable()[*found];
    if (row.assignment.type != kKeyTypeKeyboard) return false;
    if (*found < kModifierRows) {
        panel.modifierOption = ModifierOption(*found);
        panel.keyboardKeyLabel.clear();
    } else {
        if (panel.modifierOption == kNoItem) panel.modifierOption = 0;
        panel.keyboardKeyLabel = std::string(row.label);
        panel.held.current.p2 = row.assignment.p2;
    }
    return true;
}

}  // namespace morvek
