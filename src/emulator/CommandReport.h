#pragma once
// The firmware's side of the 64-byte command report: the layout and checksum are the host's
// (devicelink/HidCommandReport.h); here are the answer status values and the answer builder.

#include <cstdint>

#include "devicelink/HidCommandReport.h"

namespace morvek::emulator::wire {

inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusRefused = 0xFF;

uint16_t Offset(const CommandReport& report);

// An answer to a request: report id, echoed command, length and offset, the status.
CommandReport AnswerFor(const CommandReport& request, uint8_t status);

}  // namespace morvek::emulator::wire
