#include "platform/hid/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>

#include "platform/hid/DescriptorItems.h"
#include "platform/hid/DescriptorUsages.h"

namespace morvek::hid {
namespace {

// Limits that keep a hostile descriptor from making us allocate or loop without bound.
constexpr uint64_t kMaxReportBits = 4096 * 8;  // payload of one report after the id byte
constexpr uint32_t kMaxReportSize = 256;       // bits of one field
constexpr uint32_t kMaxValueBits = 32;         // wider data fields are kept opaque
constexpr size_t kMaxGlobalStack = 32;
constexpr size_t kMaxCollectionDepth = 32;
constexpr size_t kMaxCollections = 255;
constexpr size_t kMaxCaps = 65536;

enum MainTag : uint8_t { kInput = 0x8, kOutput = 0x9, kCollection = 0xA, kFeature = 0xB, kEndCollection = 0xC };
enum GlobalTag : uint8_t {
    kUsagePage = 0x0,
    kLogicalMin = 0x1,
    kLogicalMax = 0x2,
    kPhysicalMin = 0x3,
    kPhysicalMax = 0x4,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};
enum LocalTag : uint8_t { kUsage = 0x0, kUsageMin = 0x1, kUsageMax = 0x2 };

constexpr uint32_t kConstantFlag = 0x01;
constexpr uint32_t kVariableFlag = 0x02;

// A maximum is read as signed only when its minimum is negative, so a one-byte
// "Logical Maximum (255)" means 255 and not -1.
struct Maximum {
    DescriptorItem item;

    int32_t Resolve(int32_t minimum) const {
        if (minimum < 0) return item.SignedData();
        return static_cast<int32_t>(std::min<uint32_t>(item.data, std::numeric_limits<int32_t>::max()));
    }
};

struct GlobalState {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    Maximum logicalMax;
    int32_t physicalMin = 0;
    Maximum physicalMax;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

// One main item's fields, as placed in its report.
struct FieldBlock {
    uint8_t reportId = 0;
    uint32_t bitOffset = 0;
    uint32_t bitSize = 0;
    uint32_t count = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

HidButtonCaps ButtonCaps(const FieldBlock& block, uint32_t firstUsage, uint32_t lastUsage) {
    HidButtonCaps caps;
    caps.usagePage = static_cast<uint16_t>(firstUsage >> 16);
    caps.reportId = block.reportId;
    caps.usageMin = static_cast<uint16_t>(firstUsage);
    caps.usageMax = static_cast<uint16_t>(lastUsage);
    caps.bitOffset = block.bitOffset;
    caps.bitSize = static_cast<uint16_t>(block.bitSize);
    caps.reportCount = static_cast<uint16_t>(block.count);
    caps.logicalMin = block.logicalMin;
    caps.logicalMax = block.logicalMax;
    return caps;
}

class DescriptorParser {
public:
    std::optional<ParsedReportDescriptor> Run(std::span<const uint8_t> descriptor);

private:
    bool OnMain(const DescriptorItem& item);
    bool OnGlobal(const DescriptorItem& item);
    bool OnLocal(const DescriptorItem& item);
    bool OnCollection();
    bool OnReportFields(ReportKind kind, uint32_t flags);
    bool AddArrayCaps(HidReportCaps& caps, const FieldBlock& block, const std::vector<UsageRange>& ranges);
    bool AddBitmapCaps(HidReportCaps& caps, const FieldBlock& block, const std::vector<UsageRange>& ranges);
    bool AddValueCaps(HidReportCaps& caps, const FieldBlock& block, const std::vector<UsageRange>& ranges);
    bool CountCaps(size_t added);

    GlobalState global_;
    std::vector<GlobalState> stack_;
    LocalUsages local_;
    size_t depth_ = 0;
    size_t capCount_ = 0;
    ParsedReportDescriptor result_;
    // Bits used so far per top-level collection, report kind and report id.
    std::vector<std::array<std::map<uint8_t, uint32_t>, 3>> bitsUsed_;
};

std::optional<ParsedReportDescriptor> DescriptorParser::Run(std::span<const uint8_t> descriptor) {
    DescriptorItemReader reader(descriptor);
    DescriptorItem item;
    for (;;) {
        switch (reader.Next(item)) {
        case DescriptorItemReader::Step::Malformed: return std::nullopt;
        case DescriptorItemReader::Step::End:
            if (depth_ != 0) return std::nullopt;
            return std::move(result_);
        case DescriptorItemReader::Step::Item: break;
        }
        bool ok = true;
        switch (item.type) {
        case ItemType::Main: ok = OnMain(item); break;
        case ItemType::Global: ok = OnGlobal(item); break;
        case ItemType::Local: ok = OnLocal(item); break;
        case ItemType::Reserved:
        case ItemType::Long: break;
        }
        if (!ok) return std::nullopt;
    }
}

bool DescriptorParser::OnMain(const DescriptorItem& item) {
    bool ok = true;
    switch (item.tag) {
    case kInput: ok = OnReportFields(ReportKind::Input, item.data); break;
    case kOutput: ok = OnReportFields(ReportKind::Output, item.data); break;
    case kFeature: ok = OnReportFields(ReportKind::Feature, item.data); break;
    case kCollection: ok = OnCollection(); break;
    case kEndCollection:
        if (depth_ == 0) return false;
        --depth_;
        break;
    default: break;
    }
    local_.Clear();
    return ok;
}

bool DescriptorParser::OnCollection() {
    if (depth_ >= kMaxCollectionDepth) return false;
    if (depth_ == 0) {
        if (result_.collections.size() >= kMaxCollections) return false;
        HidCollectionCaps collection;
        collection.number = static_cast<uint16_t>(result_.collections.size() + 1);
        const std::vector<uint32_t> usage = FlattenUsages(local_.Resolve(global_.usagePage), 1);
        if (!usage.empty()) {
            collection.usagePage = static_cast<uint16_t>(usage.front() >> 16);
            collection.usage = static_cast<uint16_t>(usage.front());
        }
        result_.collections.push_back(std::move(collection));
        bitsUsed_.emplace_back();
    }
    ++depth_;
    return true;
}

bool DescriptorParser::OnGlobal(const DescriptorItem& item) {
    switch (item.tag) {
    case kUsagePage: global_.usagePage = static_cast<uint16_t>(item.data); break;
    case kLogicalMin: global_.logicalMin = item.SignedData(); break;
    case kLogicalMax: global_.logicalMax = Maximum{item}; break;
    case kPhysicalMin: global_.physicalMin = item.SignedData(); break;
    case kPhysicalMax: global_.physicalMax = Maximum{item}; break;
    case kReportSize:
        if (item.data > kMaxReportSize) return false;
        global_.reportSize = item.data;
        break;
    case kReportCount:
        if (item.data > kMaxReportBits) return false;
        global_.reportCount = item.data;
        break;
    case kReportId:
        if (item.data == 0 || item.data > 0xFF) return false;
        global_.reportId = static_cast<uint8_t>(item.data);
        result_.usesReportIds = true;
        break;
    case kPush:
        if (stack_.size() >= kMaxGlobalStack) return false;
        stack_.push_back(global_);
        break;
    case kPop:
        if (stack_.empty()) return false;
        global_ = stack_.back();
        stack_.pop_back();
        break;
    default: break;
    }
    return true;
}

bool DescriptorParser::OnLocal(const DescriptorItem& item) {
    const UsageRef usage{item.data, item.size == 4};
    switch (item.tag) {
    case kUsage: return local_.AddUsage(usage);
    case kUsageMin: return local_.SetMinimum(usage);
    case kUsageMax: return local_.SetMaximum(usage);
    default: return true;
    }
}

bool DescriptorParser::OnReportFields(ReportKind kind, uint32_t flags) {
    if (depth_ == 0) return false;  // report fields belong to a collection

    HidCollectionCaps& collection = result_.collections.back();
    HidReportCaps& caps = kind == ReportKind::Input    ? collection.input
                          : kind == ReportKind::Output ? collection.output
                                                       : collection.feature;
    uint32_t& used = bitsUsed_.back()[static_cast<size_t>(kind)][global_.reportId];

    const uint64_t bits = static_cast<uint64_t>(global_.reportSize) * global_.reportCount;
    if (used + bits > kMaxReportBits) return false;

    if (std::find(collection.reportIds.begin(), collection.reportIds.end(), global_.reportId) ==
        collection.reportIds.end()) {
        collection.reportIds.push_back(global_.reportId);
    }

    FieldBlock block;
    block.reportId = global_.reportId;
    block.bitOffset = used;
    block.bitSize = global_.reportSize;
    block.count = global_.reportCount;
    block.logicalMin = global_.logicalMin;
    block.logicalMax = global_.logicalMax.Resolve(global_.logicalMin);
    block.physicalMin = global_.physicalMin;
    block.physicalMax = global_.physicalMax.Resolve(global_.physicalMin);

    used += static_cast<uint32_t>(bits);
    const uint16_t length = static_cast<uint16_t>(1 + (used + 7) / 8);
    caps.reportLength = std::max(caps.reportLength, length);

    const bool hasData = (flags & kConstantFlag) == 0 && bits != 0 && block.bitSize <= kMaxValueBits;
    if (!hasData) return true;

    const std::vector<UsageRange> ranges = local_.Resolve(global_.usagePage);
    if ((flags & kVariableFlag) == 0) return AddArrayCaps(caps, block, ranges);
    if (block.bitSize == 1) return AddBitmapCaps(caps, block, ranges);
    return AddValueCaps(caps, block, ranges);
}

bool DescriptorParser::CountCaps(size_t added) {
    capCount_ += added;
    return capCount_ <= kMaxCaps;
}

// An array field holds indexes: logicalMin stands for the first declared usage, the next
// value for the next usage. Each run of consecutive usages becomes one caps entry whose
// logical range covers exactly its indexes.
bool DescriptorParser::AddArrayCaps(HidReportCaps& caps, const FieldBlock& block,
                                    const std::vector<UsageRange>& ranges) {
    std::vector<UsageRange> runs;
    for (const UsageRange& range : ranges) {
        if (!runs.empty() && runs.back().last != 0xFFFFFFFFu && runs.back().last + 1 == range.first &&
            (runs.back().first >> 16) == (range.first >> 16)) {
            runs.back().last = range.last;
        } else {
            runs.push_back(range);
        }
    }

    int64_t index = block.logicalMin;
    size_t added = 0;
    for (const UsageRange& run : runs) {
        if (index > block.logicalMax) break;
        const int64_t last = std::min<int64_t>(index + run.Count() - 1, block.logicalMax);
        HidButtonCaps entry = ButtonCaps(block, run.first, run.first + static_cast<uint32_t>(last - index));
        entry.isArray = true;
        entry.logicalMin = static_cast<int32_t>(index);
        entry.logicalMax = static_cast<int32_t>(last);
        caps.buttons.push_back(entry);
        ++added;
        index = last + 1;
    }
    return CountCaps(added);
}

// One-bit variable fields: field i stands for the i-th declared usage and the last usage
// covers the fields left over. Consecutive usages share one caps entry.
bool DescriptorParser::AddBitmapCaps(HidReportCaps& caps, const FieldBlock& block,
                                     const std::vector<UsageRange>& ranges) {
    const std::vector<uint32_t> usages = FlattenUsages(ranges, block.count);
    if (usages.empty()) return true;

    size_t added = 0;
    size_t runStart = 0;
    for (size_t field = 1; field <= usages.size(); ++field) {
        const uint32_t previous = usages[field - 1];
        if (field < usages.size() && usages[field] == previous + 1 && (previous & 0xFFFF) != 0xFFFF) continue;

        FieldBlock run = block;
        run.bitOffset = block.bitOffset + static_cast<uint32_t>(runStart);
        run.count = static_cast<uint32_t>(field - runStart);
        if (field == usages.size()) run.count += block.count - static_cast<uint32_t>(usages.size());
        caps.buttons.push_back(ButtonCaps(run, usages[runStart], previous));
        ++added;
        runStart = field;
    }
    return CountCaps(added);
}

// One caps entry per usage; when fewer usages than fields are declared the last usage
// covers the remaining fields as a value array.
bool DescriptorParser::AddValueCaps(HidReportCaps& caps, const FieldBlock& block,
                                    const std::vector<UsageRange>& ranges) {
    std::vector<uint32_t> usages = FlattenUsages(ranges, block.count);
    if (usages.empty()) usages.push_back(static_cast<uint32_t>(global_.usagePage) << 16);

    for (size_t i = 0; i < usages.size(); ++i) {
        HidValueCaps value;
        value.usagePage = static_cast<uint16_t>(usages[i] >> 16);
        value.usage = static_cast<uint16_t>(usages[i]);
        value.reportId = block.reportId;
        value.bitOffset = block.bitOffset + static_cast<uint32_t>(i) * block.bitSize;
        value.bitSize = static_cast<uint16_t>(block.bitSize);
        value.reportCount =
            static_cast<uint16_t>(i + 1 < usages.size() ? 1 : block.count - (usages.size() - 1));
        value.logicalMin = block.logicalMin;
        value.logicalMax = block.logicalMax;
        value.physicalMin = block.physicalMin;
        value.physicalMax = block.physicalMax;
        caps.values.push_back(value);
    }
    return CountCaps(usages.size());
}

}  // namespace

const HidReportCaps& HidCollectionCaps::Caps(ReportKind kind) const {
    switch (kind) {
    case ReportKind::Output: return output;
    case ReportKind::Feature: return feature;
    case ReportKind::Input: break;
    }
    return input;
}

bool HidCollectionCaps::OwnsReportId(uint8_t id) const {
    return std::find(reportIds.begin(), reportIds.end(), id) != reportIds.end();
}

std::optional<ParsedReportDescriptor> ParseReportDescriptor(std::span<const uint8_t> descriptor) {
    return DescriptorParser().Run(descriptor);
}

}  // namespace morvek::hid
