#pragma once
// The device-side macro format, shared by the keyboard's and the mouse's macro memory and by
// the mouse's shoot patterns. Little-endian:
//   0  u16 magic 0x55AA, 2 u16 total size, 4 u16 record count N, 6..15 reserved (0),
//   16 N × u16 offset of each record from the start of the image,
//   16 + 2N the records back to back: u16 event count E, 2 reserved bytes, E × 4-byte events.
// An event: delay low byte, delay high byte, type (low 7 bits) with bit 7 set for a press, button.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "macros/MacroEvent.h"

namespace morvek {

class DeviceMacroImage {
public:
    static constexpr uint16_t kMagic = 0x55AA;
    static constexpr size_t kHeaderSize = 16;
    static constexpr size_t kRecordHeaderSize = 4;
    static constexpr size_t kEventSize = 4;
    // The largest image the 16-bit size field can describe.
    static constexpr size_t kMaxImageSize = 0xFFFF;

    // 16 + 6N + 4 × (sum of the event counts).
    static size_t TotalSize(std::span<const size_t> eventCounts);

    static std::array<uint8_t, kEventSize> EncodeEvent(const MacroEvent& event);

    // The image of the records in order; empty when it would exceed kMaxImageSize.
    static std::vector<uint8_t> Build(std::span<const std::vector<MacroEvent>> records);
};

}  // namespace morvek
