#pragma once
// One input event of a macro as macro files, the editor and shoot files hold it:
// {"Action": "down"|"up", "Button": 8-bit, "Type": MacroEventType, "Delay": milliseconds to
// wait afterwards}. Files write "Delay" as decimal text; readers take a number or text.

#include <json/value.h>

#include <cstdint>

namespace morvek {

enum MacroEventType : int {
    kMacroEventMouseButton = 1,    // "Button": 0x01 left, 0x02 right, 0x04 middle, 0x08 back, 0x10 forward
    kMacroEventMouseOther2 = 2,    // other mouse events: kept, shown without a label
    kMacroEventMouseOther3 = 3,
    kMacroEventMoveHorizontal = 4, // "Button": distance; "down" moves left, "up" right
    kMacroEventMoveVertical = 5,   // "Button": distance; "down" moves up, "up" down
    kMacroEventModifier = 9,       // "Button": modifier bit (0x01 left Ctrl ... 0x80 right Win)
    kMacroEventKey = 10,           // "Button": HID keyboard usage
};

inline constexpr int kMaxMacroDelayMs = 65535;

struct MacroEvent {
    int type = 0;
    int button = 0;
    bool down = false;     // "Action" is exactly "down"; any other action is a release
    long long delay = 0;   // as stored; the device and the editor use DelayMs()

    // Reads any element of an "Events" array; missing or malformed members read as 0 / release.
    static MacroEvent FromJson(const Json::Value& element);
    // The file form: "Delay" as decimal text, "Action" "down" or "up".
    Json::Value ToJson() const;

    // The delay limited to what the device and the editor can hold, 0 to 65535 ms.
    uint16_t DelayMs() const;

    bool operator==(const MacroEvent&) const = default;
};

}  // namespace morvek
