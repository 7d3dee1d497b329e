#pragma once
// The memories of one emulated device's firmware. Each has a fixed size per device kind;
// an empty vector means the device has no such memory.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvek::emulator {

struct FirmwareMemory {
    std::vector<uint8_t> deviceInfo;  // the 34-byte information record, read only
    std::vector<uint8_t> params;      // parameter memory: byte 0 active profile, then per-profile blocks
    std::vector<uint8_t> keyTable;    // 3 bytes (type, p1, p2) per key slot
    std::vector<uint8_t> keyAttr;     // LED position per key slot (0xFF: none)
    std::vector<uint8_t> macro;       // macro memory (command 0x15)
    size_t macroHighWater = 0;        // one past the highest macro byte ever written
    std::vector<uint8_t> shoot;       // shoot pattern memory of the mouse (command 0x17)
    size_t shootHighWater = 0;        // one past the highest shoot byte ever written
    std::vector<uint8_t> lightTable;  // per-key colour table, 3 bytes per LED
    std::vector<uint8_t> frame;       // the host's streamed light frame, 3 bytes per LED
    std::vector<uint8_t> status;      // the 6-byte power status record

    bool operator==(const FirmwareMemory&) const = default;
};

}  // namespace morvek::emulator
