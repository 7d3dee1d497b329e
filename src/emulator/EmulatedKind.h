#pragma once
// The device kinds the emulator can play, with the words used on the command line,
// in state files and in dumps.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace morvek::emulator {

enum class EmulatedKind { Keyboard, Mouse, WirelessMouse, MousePad, Headset };

inline constexpr std::array<EmulatedKind, 5> kAllEmulatedKinds = {
    EmulatedKind::Keyboard, EmulatedKind::Mouse, EmulatedKind::WirelessMouse, EmulatedKind::MousePad,
    EmulatedKind::Headset};

// "keyboard", "mouse", "wireless-mouse", "pad", "headset".
std::optional<EmulatedKind> ParseEmulatedKind(std::string_view word);
const char* EmulatedKindName(EmulatedKind kind);

// The member name in `emulator dump`: the wireless mouse is a "mouse" like the wired one.
std::string DumpKey(EmulatedKind kind);

}  // namespace morvek::emulator
