#include "emulator/EmulatedKind.h"

namespace morvek::emulator {

std::optional<EmulatedKind> ParseEmulatedKind(std::string_view word) {
    for (EmulatedKind kind : kAllEmulatedKinds) {
        if (word == EmulatedKindName(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

const char* EmulatedKindName(EmulatedKind kind) {
    switch (kind) {
    case EmulatedKind::Keyboard: return "keyboard";
    case EmulatedKind::Mouse: return "mouse";
    case EmulatedKind::WirelessMouse: return "wireless-mouse";
    case EmulatedKind::MousePad: return "pad";
    case EmulatedKind::Headset: return "headset";
    }
    return "keyboard";
}

std::string DumpKey(EmulatedKind kind) {
    return kind == EmulatedKind::WirelessMouse ? "mouse" : EmulatedKindName(kind);
}

}  // namespace morvek::emulator
