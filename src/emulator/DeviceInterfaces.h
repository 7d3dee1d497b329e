#pragma once
// The HID interfaces each emulated device presents, with their report descriptors.

#include <cstdint>
#include <vector>

#include "emulator/EmulatedKind.h"
#include "emulator/InterfaceLayout.h"

namespace morvek::emulator {

// Vendor collection of the command reports and the report id they use both ways.
inline constexpr uint16_t kVendorUsagePage = 0xFF1C;
inline constexpr uint16_t kVendorUsage = 0x92;
inline constexpr uint8_t kCommandReportId = 0x04;
// Consumer-control collection that carries the event reports.
inline constexpr uint16_t kConsumerUsagePage = 0x0C;
inline constexpr uint16_t kConsumerControlUsage = 0x01;
// The event field is a 16-bit usage array covering codes 0x0000-0x04FF.
inline constexpr uint16_t kHighestEventCode = 0x04FF;

struct DeviceInterfaces {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
    std::vector<InterfaceLayout> interfaces;
    // Where event reports go: the interface (index into interfaces) and the report id of
    // the consumer report; an event report is that id followed by the 16-bit code.
    size_t eventInterface = 0;
    uint8_t eventReportId = 0;
};

DeviceInterfaces InterfacesOf(EmulatedKind kind);

}  // namespace morvek::emulator
