#pragma once
// What each kind of emulated device holds when it leaves the factory.

#include "emulator/EmulatedKind.h"
#include "emulator/FirmwareMemory.h"

namespace morvek::emulator {

// Byte positions of the information record the host relies on.
inline constexpr size_t kInfoRecordSize = 34;
inline constexpr size_t kInfoKeySlots = 5;
inline constexpr size_t kInfoMacroUnits = 6;  // macro memory in units of 128 bytes
inline constexpr size_t kInfoDpiStep = 11;
inline constexpr size_t kInfoMaxDpiSlider = 12;  // 16-bit little-endian
inline constexpr size_t kInfoMinDpi = 14;        // 16-bit little-endian

inline constexpr size_t kPowerStatusSize = 6;

FirmwareMemory FactoryMemory(EmulatedKind kind);

}  // namespace morvek::emulator
