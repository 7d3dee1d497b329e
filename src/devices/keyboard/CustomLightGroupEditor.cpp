#include "devices/keyboard/CustomLightGroupEditor.h"

#include <algorithm>
#include <vector>

#include "devices/lighting/KeyboardLightSettings.h"

namespace morvek {
namespace {

constexpr uint8_t kFullBrightness = 255;

LedEntry EntryOf(const LightColor& colour) { return {{colour.red, colour.green, colour.blue}, colour.alpha}; }

LightColor ColourOf(const LedEntry& entry) {
    return {entry.colour.c0, entry.colour.c1, entry.colour.c2, entry.brightness};
}

bool IsGroup(int group) { return group >= 0 && group < CKeyboardProfiledata::kMaxCustomLightGroups; }

}  // namespace

CustomLightGroupEditor::CustomLightGroupEditor(CKeyboardProfiledata& profile, LightEngine& engine)
    : profile_(profile), engine_(engine) {}

bool CustomLightGroupEditor::Select(int group) {
    if (!IsGroup(group)) return false;
    profile_.SetCustomLightGroup(group);
    SetCustomLightGroupOf(engine_.Settings(), static_cast<uint8_t>(group));
    return true;
}

std::optional<int> CustomLightGroupEditor::SelectedGroup() const {
    const int group = profile_.GetCustomLightGroup();
    if (!IsGroup(group)) return std::nullopt;
    return group;
}

CustomLightUpdate CustomLightGroupEditor::Load(std::span<const uint8_t> keyLedMap) {
    std::vector<LightColor> colours;
    if (const auto group = SelectedGroup()) {
        colours = profile_.ReadCustomLightColors(*group, static_cast<int>(kCustomLightKeyCount));
    }
    for (size_t key = 0; key < KeyCount(); ++key) {
        const LedEntry entry = key < colours.size() ? EntryOf(colours[key]) : LedEntry{};
        engine_.SetLedColour(static_cast<int>(key), entry.Packed());
    }
    return {TableInCustomMode(keyLedMap), false};
}

CustomLightUpdate CustomLightGroupEditor::Fill(bool bright, LedColour colour, std::span<const uint8_t> keyLedMap) {
    const LedEntry entry = bright ? LedEntry{colour, kFullBrightness} : LedEntry{};
    for (size_t key = 0; key < KeyCount(); ++key) engine_.SetLedColour(static_cast<int>(key), entry.Packed());
    return {TableInCustomMode(keyLedMap), StoreGroup()};
}

CustomLightUpdate CustomLightGroupEditor::Paint(int key, LedColour colour, bool wireless,
                                                std::span<const uint8_t> keyLedMap) {
    if (!InCustomMode() || key < 0 || static_cast<size_t>(key) >= KeyCount()) return {};
    engine_.SetLedColour(key, LedEntry{colour, kFullBrightness}.Packed());
    if (!StoreGroup()) return {};
    CustomLightUpdate update{std::nullopt, true};
    if (!wireless) update.table = BuildLedColourTable(engine_.Leds(), keyLedMap);
    return update;
}

bool CustomLightGroupEditor::InCustomMode() const { return engine_.Settings().mode == kKeyboardCustomLightMode; }

size_t CustomLightGroupEditor::KeyCount() const { return std::min(engine_.LightCount(), kCustomLightKeyCount); }

std::optional<LedColourTable> CustomLightGroupEditor::TableInCustomMode(std::span<const uint8_t> keyLedMap) const {
    if (!InCustomMode()) return std::nullopt;
    return BuildLedColourTable(engine_.Leds(), keyLedMap);
}

bool CustomLightGroupEditor::StoreGroup() {
    const auto group = SelectedGroup();
    if (!group) return false;
    std::vector<LightColor> colours;
    const auto leds = engine_.Leds();
    for (size_t key = 0; key < KeyCount(); ++key) colours.push_back(ColourOf(leds[key]));
    profile_.WriteCustomLightColors(*group, colours);
    return true;
}

}  // namespace morvek
