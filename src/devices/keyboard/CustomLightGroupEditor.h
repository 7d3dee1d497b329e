#pragma once
// The keyboard's custom light groups: per-key colour sets kept in the profile document, edited
// through the LED buffer (red in c0, green in c1, blue in c2, the key's brightness in the
// fourth byte) and shown by the keyboard in the custom light mode.
//
// The editor changes the LED buffer and the profile's in-memory document; the model then
// writes the table it hands back on the device's queue and saves the profile when asked. Call
// it under the model's LED lock.

#include <cstdint>
#include <optional>
#include <span>

#include "devicelink/LightEngine.h"
#include "devices/keyboard/CustomLightTable.h"
#include "profiles/KeyboardProfiledata.h"

namespace morvek {

// What the model does after an edit.
struct CustomLightUpdate {
    std::optional<LedColourTable> table;  // write it with WriteLedColourTable
    bool saveProfile = false;

    bool operator==(const CustomLightUpdate&) const = default;
};

class CustomLightGroupEditor {
public:
    CustomLightGroupEditor(CKeyboardProfiledata& profile, LightEngine& engine);

    // Selects group n: stored in the profile and as the light settings' custom group. A group
    // outside the profile's range is refused and nothing changes.
    bool Select(int group);
    // The selected group, or none when the profile names no valid one.
    std::optional<int> SelectedGroup() const;

    // The selected group's colours go into the LED buffer (keys without a stored colour dark);
    // in the custom light mode the table to write comes back.
    CustomLightUpdate Load(std::span<const uint8_t> keyLedMap);
    // Every key gets the colour at full brightness (bright) or goes dark; the table in the
    // custom light mode; with a group selected the group takes the keys' colours and the
    // profile is to be saved.
    CustomLightUpdate Fill(bool bright, LedColour colour, std::span<const uint8_t> keyLedMap);
    // Custom light mode only: the key gets the colour at full brightness. With a group
    // selected the group takes the keys' colours, the profile is to be saved and, unless the
    // channel is wireless, the table is written. Keys outside the LED buffer change nothing.
    CustomLightUpdate Paint(int key, LedColour colour, bool wireless, std::span<const uint8_t> keyLedMap);

private:
    bool InCustomMode() const;
    size_t KeyCount() const;
    std::optional<LedColourTable> TableInCustomMode(std::span<const uint8_t> keyLedMap) const;
    // Stores the LED buffer as the selected group's colours; false without a selected group.
    bool StoreGroup();

    CKeyboardProfiledata& profile_;
    LightEngine& engine_;
};

}  // namespace morvek
