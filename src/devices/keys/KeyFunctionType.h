#pragma once
// Type codes of a KeyAssignment (its first byte) and the modifier bits of a keyboard key.

#include <cstdint>

#include "macros/MacroKeyFixup.h"

namespace morvek {

inline constexpr uint8_t kKeyTypeNone = 0x00;
inline constexpr uint8_t kKeyTypeMouseButton = 0x10;  // p1 button bit
inline constexpr uint8_t kKeyTypeSwing = 0x11;        // p1 delay << 4 | speed, p2 count | direction << 7
inline constexpr uint8_t kKeyTypeWheel = 0x12;        // p1 delay << 4 | speed, p2 signed count
inline constexpr uint8_t kKeyTypeDpi = 0x13;          // p1 1 up, 2 down, 3 cycle
inline constexpr uint8_t kKeyTypeRapidFire = 0x14;    // p1 interval, p2 count
inline constexpr uint8_t kKeyTypeKeyboard = 0x20;     // p1 modifier bits, p2 HID keyboard usage
inline constexpr uint8_t kKeyTypeConsumer = 0x30;     // p1, p2 consumer usage low, high
inline constexpr uint8_t kKeyTypeSystem = 0x40;       // p1 1 power, 2 sleep, 4 wake up
// 0x70 and 0x71 (macros) are kKeyTypeMacroRepeatMode and kKeyTypeMacroRepeatCount.
inline constexpr uint8_t kKeyTypeGunKey = 0x72;       // p1 shoot pattern number
inline constexpr uint8_t kKeyTypeBuiltIn = 0xA0;      // p1 0x01 FN, 0x1B GM, 0x24
inline constexpr uint8_t kKeyTypeCombo = 0xB0;        // mouse combination key
inline constexpr uint8_t kKeyTypeBuiltInMacro = 0xD0; // p1 0xA2, p2 1-6 for M1-M6

inline constexpr uint8_t kModifierLCtrl = 0x01;
inline constexpr uint8_t kModifierLShift = 0x02;
inline constexpr uint8_t kModifierLAlt = 0x04;
inline constexpr uint8_t kModifierLWin = 0x08;
inline constexpr uint8_t kModifierRCtrl = 0x10;
inline constexpr uint8_t kModifierRShift = 0x20;
inline constexpr uint8_t kModifierRAlt = 0x40;
inline constexpr uint8_t kModifierRWin = 0x80;

}  // namespace morvek
