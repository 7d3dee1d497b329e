#pragma once
// What one USB HID interface of an emulated device looks like: its report descriptor and,
// derived from it, its top-level collections with their report ids and report lengths.

#include <cstdint>
#include <map>
#include <vector>

namespace morvek::emulator {

struct CollectionLayout {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Length in bytes of each report by report id (0 when the interface declares no ids),
    // the report id byte included.
    std::map<uint8_t, uint16_t> inputReports;
    std::map<uint8_t, uint16_t> outputReports;
    std::map<uint8_t, uint16_t> featureReports;
    // Longest report of each kind; 0 when there is none.
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;

    bool HasInputReport(uint8_t id) const { return inputReports.contains(id); }
    bool HasOutputReport(uint8_t id) const { return outputReports.contains(id); }
};

struct InterfaceLayout {
    uint16_t number = 0;
    std::vector<uint8_t> reportDescriptor;
    std::vector<CollectionLayout> collections;  // in descriptor order
};

}  // namespace morvek::emulator
