#pragma once
// The HID interfaces each emulated device presents, with their report descriptors.

#include <cstdint>
#include <vector>

#include "devicelink/DeviceTables.h"
#include "devicelink/HidCommandReport.h"
#include "emulator/EmulatedKind.h"
#include "emulator/InterfaceLayout.h"

namespace morvek::emulator {

// The vendor collection (command reports) and the consumer-control collection (event reports)
// use the usages and report id of devicelink/DeviceTables.h and devicelink/HidCommandReport.h.
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
