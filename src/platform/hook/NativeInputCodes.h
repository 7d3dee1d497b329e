#pragma once
// Codes of the window system's input events as recording needs them: a key's native keycode
// (the X11 and Wayland keycode, the Linux input code + 8) as the PC scan code (set 1 make code
// and extended-key flag) by which the key capture table knows keys, and an X button number as
// the button bit of a macro event.

#include <cstdint>
#include <optional>

namespace morvek::hook {

struct ScanCode {
    uint8_t code = 0;
    bool extended = false;

    bool operator==(const ScanCode&) const = default;
};

// Nothing for a keycode no PC keyboard key has.
std::optional<ScanCode> ScanCodeOfNativeKey(uint32_t nativeKeycode);

// 0x01 left, 0x02 right, 0x04 middle, 0x08 back, 0x10 forward from X buttons 1, 3, 2, 8, 9;
// 0 for the wheel and any other button.
int ButtonBitOfXButton(uint32_t button);

}  // namespace morvek::hook
