#pragma once
// The headset's light frame: its 13 LEDs as three colour planes, sent as twelve 17-byte output
// reports (0xFF, target, register, 0, data), never as command reports.

#include <array>
#include <cstdint>
#include <span>

#include "devicelink/HidChannel.h"
#include "devicelink/LightLedEntry.h"

namespace morvek {

inline constexpr size_t kHeadsetLedCount = 13;
inline constexpr size_t kHeadsetReportSize = 17;
inline constexpr size_t kHeadsetReportCount = 12;
// The headset's LEDs take no colour value above this.
inline constexpr uint8_t kHeadsetColourCap = 247;

using HeadsetReport = std::array<uint8_t, kHeadsetReportSize>;
using HeadsetFrameReports = std::array<HeadsetReport, kHeadsetReportCount>;

// The reports of one frame, in sending order. Each colour byte is scaled by the LED's
// brightness and capped; LEDs past the buffer are dark. The reports with six data bytes keep
// byte 10 of the report before, as one report buffer refilled in order would.
HeadsetFrameReports BuildHeadsetFrameReports(std::span<const LedEntry> leds);

// Sets the twelve reports on the channel's interface; false when any was not taken (all are
// sent regardless, as the headset takes each on its own).
bool SendHeadsetFrameReports(CHidChannel& channel, const HeadsetFrameReports& reports);

}  // namespace morvek
