#pragma once
// Report items of an opened interface: one per button capability and one per value usage
// of a report kind. An event report of the consumer interface is decoded into them; the
// first usage of the first item is the event code.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/hid/ReportDescriptor.h"

namespace morvek {

struct HidReportItem {
    bool isButton = false;
    uint16_t usagePage = 0;
    uint32_t status = 0;   // 0 when the last parse of this item succeeded
    uint32_t reportId = 0;
    bool isSet = false;

    // Buttons: the pressed usages between usageMin and usageMax, in report order,
    // ended by a 0 when shorter than maxUsageListLength.
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t maxUsageListLength = 0;
    std::vector<uint16_t> usages;

    // Values.
    uint16_t usage = 0;
    uint32_t rawValue = 0;
    int32_t scaledValue = 0;
};

// Builds the items of one report kind of a collection: buttons first, then one item per value usage.
std::vector<HidReportItem> BuildReportItems(const hid::HidCollectionCaps& caps, hid::ReportKind kind);

// Fills the items whose report id equals report[0] from one report. Returns false when a
// value cannot be read (the report is too short for it); items are never read out of bounds.
bool UnpackInputReport(std::vector<HidReportItem>& items, const uint8_t* report, size_t reportLength,
                       hid::ReportKind kind, size_t itemCount, const hid::HidCollectionCaps& parsed);

}  // namespace morvek
