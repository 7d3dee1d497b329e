#include "emulator/ReportDescriptorWriter.h"

#include <algorithm>
#include <cassert>

namespace morvek::emulator {

namespace {

// Item prefixes without the size bits: tag in the high nibble, type (main 0, global 1, local 2) in bits 2-3.
constexpr uint8_t kInputItem = 0x80;
constexpr uint8_t kOutputItem = 0x90;
constexpr uint8_t kFeatureItem = 0xB0;
constexpr uint8_t kCollectionItem = 0xA0;
constexpr uint8_t kEndCollectionItem = 0xC0;
constexpr uint8_t kUsagePageItem = 0x04;
constexpr uint8_t kLogicalMinimumItem = 0x14;
constexpr uint8_t kLogicalMaximumItem = 0x24;
constexpr uint8_t kReportSizeItem = 0x74;
constexpr uint8_t kReportIdItem = 0x84;
constexpr uint8_t kReportCountItem = 0x94;
constexpr uint8_t kUsageItem = 0x08;
constexpr uint8_t kUsageMinimumItem = 0x18;
constexpr uint8_t kUsageMaximumItem = 0x28;

}  // namespace

void ReportDescriptorWriter::ShortItem(uint8_t tagAndType, uint32_t data, int size) {
    const uint8_t sizeCode = size == 4 ? 3 : static_cast<uint8_t>(size);
    bytes_.push_back(static_cast<uint8_t>(tagAndType | sizeCode));
    for (int i = 0; i < size; ++i) {
        bytes_.push_back(static_cast<uint8_t>(data >> (8 * i)));
    }
}

void ReportDescriptorWriter::UnsignedItem(uint8_t tagAndType, uint32_t value) {
    ShortItem(tagAndType, value, value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4);
}

void ReportDescriptorWriter::SignedItem(uint8_t tagAndType, int32_t value) {
    const int size = (value >= -128 && value <= 127) ? 1 : (value >= -32768 && value <= 32767) ? 2 : 4;
    ShortItem(tagAndType, static_cast<uint32_t>(value), size);
}

ReportDescriptorWriter& ReportDescriptorWriter::UsagePage(uint16_t page) {
    usagePage_ = page;
    UnsignedItem(kUsagePageItem, page);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::Usage(uint16_t usage) {
    lastUsage_ = usage;
    UnsignedItem(kUsageItem, usage);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::UsageMinimum(uint16_t usage) {
    UnsignedItem(kUsageMinimumItem, usage);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::UsageMaximum(uint16_t usage) {
    UnsignedItem(kUsageMaximumItem, usage);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::LogicalMinimum(int32_t value) {
    SignedItem(kLogicalMinimumItem, value);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::LogicalMaximum(int32_t value) {
    SignedItem(kLogicalMaximumItem, value);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::ReportSize(uint32_t bits) {
    reportSize_ = bits;
    UnsignedItem(kReportSizeItem, bits);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::ReportCount(uint32_t count) {
    reportCount_ = count;
    UnsignedItem(kReportCountItem, count);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::ReportId(uint8_t id) {
    reportId_ = id;
    UnsignedItem(kReportIdItem, id);
    return *this;
}

void ReportDescriptorWriter::MainReportItem(uint8_t tagAndType, uint8_t flags, ReportKind kind) {
    assert(depth_ > 0 && !collections_.empty());
    ShortItem(tagAndType, flags, 1);
    reportBits_[{collections_.size() - 1, {kind, reportId_}}] += reportSize_ * reportCount_;
}

ReportDescriptorWriter& ReportDescriptorWriter::Input(uint8_t flags) {
    MainReportItem(kInputItem, flags, ReportKind::Input);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::Output(uint8_t flags) {
    MainReportItem(kOutputItem, flags, ReportKind::Output);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::Feature(uint8_t flags) {
    MainReportItem(kFeatureItem, flags, ReportKind::Feature);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::BeginCollection(uint8_t type) {
    if (depth_ == 0) {
        CollectionLayout layout;
        layout.usagePage = usagePage_;
        layout.usage = lastUsage_;
        collections_.push_back(layout);
    }
    ++depth_;
    ShortItem(kCollectionItem, type, 1);
    return *this;
}

ReportDescriptorWriter& ReportDescriptorWriter::EndCollection() {
    assert(depth_ > 0);
    --depth_;
    ShortItem(kEndCollectionItem, 0, 0);
    return *this;
}

InterfaceLayout ReportDescriptorWriter::Finish(uint16_t interfaceNumber) const {
    assert(depth_ == 0);
    InterfaceLayout layout;
    layout.number = interfaceNumber;
    layout.reportDescriptor = bytes_;
    layout.collections = collections_;
    for (const auto& [key, bits] : reportBits_) {
        CollectionLayout& collection = layout.collections[key.first];
        const auto [kind, id] = key.second;
        // The report id byte is counted even when the interface declares no ids.
        const auto length = static_cast<uint16_t>((bits + 7) / 8 + 1);
        auto& reports = kind == ReportKind::Input    ? collection.inputReports
                        : kind == ReportKind::Output ? collection.outputReports
                                                     : collection.featureReports;
        uint16_t& longest = kind == ReportKind::Input    ? collection.inputReportLength
                            : kind == ReportKind::Output ? collection.outputReportLength
                                                         : collection.featureReportLength;
        reports[id] = length;
        longest = std::max(longest, length);
    }
    return layout;
}

}  // namespace morvek::emulator
