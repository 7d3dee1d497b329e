#include "platform/hook/NativeInputCodes.h"

#include <array>

namespace morvek::hook {
namespace {

// Linux input codes 1 to 83 and 86 to 88 are the set 1 codes of the same keys; Num Lock has the
// extended flag, which tells it from Pause. The other keys by their Linux codes:
struct HighKey {
    uint32_t linuxCode;
    ScanCode scan;
};

constexpr std::array<HighKey, 28> kHighKeys = {{
    {85, {0x76, false}},   // Zenkaku / Hankaku
    {89, {0x73, false}},   // RO (Brazilian / Japanese slash)
    {92, {0x79, false}},   // Henkan
    {93, {0x70, false}},   // Katakana / Hiragana
    {94, {0x7B, false}},   // Muhenkan
    {96, {0x1C, true}},    // keypad Enter
    {97, {0x1D, true}},    // right Ctrl
    {98, {0x35, true}},    // keypad /
    {99, {0x37, true}},    // Print Screen
    {100, {0x38, true}},   // right Alt
    {102, {0x47, true}},   // Home
    {103, {0x48, true}},   // Up
    {104, {0x49, true}},   // Page Up
    {105, {0x4B, true}},   // Left
    {106, {0x4D, true}},   // Right
    {107, {0x4F, true}},   // End
    {108, {0x50, true}},   // Down
    {109, {0x51, true}},   // Page Down
    {110, {0x52, true}},   // Insert
    {111, {0x53, true}},   // Delete
    {119, {0x45, false}},  // Pause
    {121, {0x7E, false}},  // keypad comma (Brazilian)
    {122, {0xF2, false}},  // Hangul
    {123, {0xF1, false}},  // Hanja
    {124, {0x7D, false}},  // Yen
    {125, {0x5B, true}},   // left Win
    {126, {0x5C, true}},   // right Win
    {127, {0x5D, true}},   // Menu
}};

constexpr uint32_t kKeycodeOffset = 8;
constexpr uint32_t kLinuxNumLock = 69;
constexpr uint32_t kLinuxUnassigned = 84;
constexpr uint32_t kLinuxZenkakuHankaku = 85;
constexpr uint32_t kLastSetOneCode = 88;

}  // namespace

std::optional<ScanCode> ScanCodeOfNativeKey(uint32_t nativeKeycode) {
    if (nativeKeycode <= kKeycodeOffset) return std::nullopt;
    const uint32_t linuxCode = nativeKeycode - kKeycodeOffset;
    if (linuxCode <= kLastSetOneCode && linuxCode != kLinuxUnassigned && linuxCode != kLinuxZenkakuHankaku)
        return ScanCode{static_cast<uint8_t>(linuxCode), linuxCode == kLinuxNumLock};
    for (const HighKey& key : kHighKeys) {
        if (key.linuxCode == linuxCode) return key.scan;
    }
    return std::nullopt;
}

int ButtonBitOfXButton(uint32_t button) {
    switch (button) {
        case 1: return 0x01;
        case 2: return 0x04;
        case 3: return 0x02;
        case 8: return 0x08;
        case 9: return 0x10;
        default: return 0;
    }
}

}  // namespace morvek::hook
