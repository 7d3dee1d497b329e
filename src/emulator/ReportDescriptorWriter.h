#pragma once
// Writes a HID report descriptor item by item (short items, smallest encoding) and keeps
// track of what it declares, so the collection list and report lengths of an emulated
// interface always agree with its descriptor.

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "emulator/InterfaceLayout.h"

namespace morvek::emulator {

class ReportDescriptorWriter {
public:
    // Main item flags.
    static constexpr uint8_t kData = 0x00;
    static constexpr uint8_t kConstant = 0x01;
    static constexpr uint8_t kVariable = 0x02;
    static constexpr uint8_t kRelative = 0x04;
    static constexpr uint8_t kApplication = 0x01;
    static constexpr uint8_t kPhysical = 0x00;

    ReportDescriptorWriter& UsagePage(uint16_t page);
    ReportDescriptorWriter& Usage(uint16_t usage);
    ReportDescriptorWriter& UsageMinimum(uint16_t usage);
    ReportDescriptorWriter& UsageMaximum(uint16_t usage);
    ReportDescriptorWriter& LogicalMinimum(int32_t value);
    ReportDescriptorWriter& LogicalMaximum(int32_t value);
    ReportDescriptorWriter& ReportSize(uint32_t bits);
    ReportDescriptorWriter& ReportCount(uint32_t count);
    ReportDescriptorWriter& ReportId(uint8_t id);
    ReportDescriptorWriter& Input(uint8_t flags);
    ReportDescriptorWriter& Output(uint8_t flags);
    ReportDescriptorWriter& Feature(uint8_t flags);
    ReportDescriptorWriter& BeginCollection(uint8_t type);
    ReportDescriptorWriter& EndCollection();

    // The finished interface. Every collection must be closed.
    InterfaceLayout Finish(uint16_t interfaceNumber) const;

private:
    enum class ReportKind { Input, Output, Feature };

    void ShortItem(uint8_t tagAndType, uint32_t data, int size);
    void UnsignedItem(uint8_t tagAndType, uint32_t value);
    void SignedItem(uint8_t tagAndType, int32_t value);
    void MainReportItem(uint8_t tagAndType, uint8_t flags, ReportKind kind);

    std::vector<uint8_t> bytes_;
    std::vector<CollectionLayout> collections_;
    // Bits per (top-level collection, report kind, report id).
    std::map<std::pair<size_t, std::pair<ReportKind, uint8_t>>, uint32_t> reportBits_;
    uint16_t usagePage_ = 0;
    uint16_t lastUsage_ = 0;
    uint32_t reportSize_ = 0;
    uint32_t reportCount_ = 0;
    uint8_t reportId_ = 0;
    int depth_ = 0;
};

}  // namespace morvek::emulator
