#pragma once
// The 34-byte device information record read with command 0x03.

#include <array>
#include <cstdint>

namespace morvek {

struct DeviceInfoRecord {
    static constexpr size_t kSize = 34;
    std::array<uint8_t, kSize> bytes{};

    uint8_t DeviceSpecific() const { return bytes[0]; }
    uint8_t KeySlotCount() const { return bytes[5]; }
    uint8_t MacroMemoryUnits() const { return bytes[6]; }  // units of 128 bytes
    uint32_t MacroMemoryBytes() const { return uint32_t{bytes[6]} * 128u; }
    uint8_t DpiStep() const { return bytes[11]; }
    uint16_t MaxDpiSlider() const { return static_cast<uint16_t>(bytes[12] | (bytes[13] << 8)); }
    uint16_t MinDpi() const { return static_cast<uint16_t>(bytes[14] | (bytes[15] << 8)); }
};

}  // namespace morvek
