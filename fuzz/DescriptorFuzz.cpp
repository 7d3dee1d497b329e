// Fuzzes the report descriptor parser and the event report decoding built on it: the first
// input byte splits the rest into a descriptor and an input report.

#include <cstddef>
#include <cstdint>
#include <span>

#include "devicelink/HidReportItem.h"
#include "platform/hid/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t split = std::min<size_t>(data[0] * 4u, size - 1);
    const std::span<const uint8_t> descriptor(data + 1, split);
    const std::span<const uint8_t> report(data + 1 + split, size - 1 - split);
    const auto parsed = morvek::hid::ParseReportDescriptor(descriptor);
    if (!parsed) return 0;
    for (const auto& collection : parsed->collections) {
        for (auto kind : {morvek::hid::ReportKind::Input, morvek::hid::ReportKind::Output,
                          morvek::hid::ReportKind::Feature}) {
            auto items = morvek::BuildReportItems(collection, kind);
            morvek::UnpackInputReport(items, report.data(), report.size(), kind, items.size(), collection);
        }
    }
    return 0;
}
