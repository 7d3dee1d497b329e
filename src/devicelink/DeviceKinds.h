#pragma once
// The device kinds: one row per kind with what the program decides by a device's kind (the
// command line's word for it, its data folder, whose profile list and page it uses, its lights,
// whether it keeps macros and a key table, how its settings blocks lie, its page template).
// Code asks the row instead of testing kind numbers; a new kind is a new row, and
// docs/adding-a-kind.md lists what else it needs.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "devicelink/DeviceTables.h"
#include "devicelink/LightSettings.h"

namespace morvek {

struct DeviceKindRow {
    DeviceKind kind;
    // The command line's KIND; a wireless mouse is a "mouse" there.
    const char* word;
    // The per-user folder of its profiles, macros and light configuration; also the name of its
    // profile template in "DefaultData".
    const char* dataFolder;
    // The kind whose profile list, page template and device model it uses.
    DeviceKind listKind;
    // Its command channel is a receiver's: the device behind it is asked for before each
    // configuration command, and no light frames go to it.
    bool wireless;
    // How its light modes are numbered, and the highest mode its light settings take.
    LightModeFamily lightFamily;
    uint8_t lastLightMode;
    // It keeps macros ("macro.config", the device macro image) and a key table of its own.
    bool hasMacros;
    bool hasKeyTable;
    // Bytes from the settings block of one on-device profile to the next.
    uint16_t settingsStride;
    // Its row of DevicePageTemplates().
    uint8_t pageTemplate;

    const DevicePageTemplate& Page() const { return DevicePageTemplates()[pageTemplate]; }
    // Its LEDs, as its page template counts them.
    int LedCount() const { return Page().lightPointCount; }
};

inline constexpr std::array<DeviceKindRow, 5> kDeviceKinds = {{
    {.kind = kKindKeyboard,
     .word = "keyboard",
     .dataFolder = "keyboard",
     .listKind = kKindKeyboard,
     .wireless = false,
     .lightFamily = LightModeFamily::Keyboard,
     .lastLightMode = 39,
     .hasMacros = true,
     .hasKeyTable = true,
     .settingsStride = 25,
     .pageTemplate = 1},
    {.kind = kKindMouse,
     .word = "mouse",
     .dataFolder = "mouse",
     .listKind = kKindMouse,
     .wireless = false,
     .lightFamily = LightModeFamily::Shared,
     .lastLightMode = 255,  // effects 0-8 are the mouse's own, 9 and above its custom light modes
     .hasMacros = true,
     .hasKeyTable = true,
     .settingsStride = 128,
     .pageTemplate = 0},
    {.kind = kKindMousePad,
     .word = "pad",
     .dataFolder = "MousePad",
     .listKind = kKindMousePad,
     .wireless = false,
     .lightFamily = LightModeFamily::Shared,
     .lastLightMode = 255,  // modes 0-8 are the pad's list; higher ones play the profile's effect
     .hasMacros = false,
     .hasKeyTable = false,
     .settingsStride = 64,
     .pageTemplate = 2},
    {.kind = kKindWirelessMouse,
     .word = "mouse",
     .dataFolder = "mouse",
     .listKind = kKindMouse,
     .wireless = true,
     .lightFamily = LightModeFamily::Shared,
     .lastLightMode = 255,
     .hasMacros = true,
     .hasKeyTable = true,
     .settingsStride = 128,
     .pageTemplate = 0},
    {.kind = kKindHeadset,
     .word = "headset",
     .dataFolder = "HD",
     .listKind = kKindHeadset,
     .wireless = false,
     .lightFamily = LightModeFamily::Shared,
     .lastLightMode = 8,
     .hasMacros = false,
     .hasKeyTable = false,
     .settingsStride = 64,
     .pageTemplate = 3},
}};

// The row of a kind; nullptr for a kind the program does not know.
constexpr const DeviceKindRow* FindDeviceKind(uint16_t kind) {
    for (const DeviceKindRow& row : kDeviceKinds) {
        if (row.kind == kind) return &row;
    }
    return nullptr;
}

// The row a command line word names (the first with that word: "mouse" is the wired mouse's).
constexpr const DeviceKindRow* FindDeviceKindByWord(std::string_view word) {
    for (const DeviceKindRow& row : kDeviceKinds) {
        if (word == row.word) return &row;
    }
    return nullptr;
}

// The kind whose list, page and model a kind uses (a wireless mouse's is the mouse's); an
// unknown kind is its own.
constexpr uint16_t ListKindOf(uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr ? uint16_t{row->listKind} : kind;
}

// The settings stride of a kind the program knows (for the block layouts' constants).
constexpr uint32_t SettingsStrideOf(DeviceKind kind) { return FindDeviceKind(kind)->settingsStride; }

}  // namespace morvek
