#pragma once
// Parser of HID report descriptors: the top-level collections of an interface with their
// usage, report ids, report lengths and the button and value capabilities of their input,
// output and feature reports. It stands in for the platform's preparsed descriptor data.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace morvek::hid {

enum class ReportKind { Input = 0, Output = 1, Feature = 2 };

// A run of button usages (a variable bitmap or an array of usage indexes).
struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t bitOffset = 0;   // from the first bit after the report id byte
    uint16_t bitSize = 0;     // bits per field
    uint16_t reportCount = 0; // fields
    bool isArray = false;     // fields hold usage indexes (from logicalMin) instead of one bit per usage
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
};

// One value usage (a usage range is expanded to one entry per usage).
struct HidValueCaps {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint8_t reportId = 0;
    uint32_t bitOffset = 0;
    uint16_t bitSize = 0;
    uint16_t reportCount = 1;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

struct HidReportCaps {
    std::vector<HidButtonCaps> buttons;
    std::vector<HidValueCaps> values;
    uint16_t reportLength = 0; // longest report of this kind in bytes, report id byte included
};

struct HidCollectionCaps {
    uint16_t number = 0;       // 1-based, in descriptor order
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    std::vector<uint8_t> reportIds; // ids used by this collection's reports (0 when none are declared)
    HidReportCaps input;
    HidReportCaps output;
    HidReportCaps feature;

    const HidReportCaps& Caps(ReportKind kind) const;
    bool OwnsReportId(uint8_t id) const;
};

struct ParsedReportDescriptor {
    std::vector<HidCollectionCaps> collections;
    bool usesReportIds = false;
};

// Parses a whole report descriptor. Returns nothing when the descriptor is malformed
// (truncated items, items that claim more bytes than remain, unbalanced collections,
// absurd sizes). Never reads outside the given bytes.
std::optional<ParsedReportDescriptor> ParseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace morvek::hid
