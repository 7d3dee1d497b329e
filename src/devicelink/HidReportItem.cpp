#include "devicelink/HidReportItem.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>

namespace morvek {
namespace {

constexpr uint32_t kStatusReportTooShort = 1;
constexpr uint32_t kStatusUnknownUsage = 2;
constexpr uint32_t kStatusValueOutOfRange = 3;

// The fields of one report, counted in bits from the first bit after the report id byte.
class ReportBits {
public:
    ReportBits(const uint8_t* report, size_t length) : report_(report), length_(length) {}

    bool Contains(uint64_t bitOffset, uint64_t bitCount) const {
        return 8 + bitOffset + bitCount <= 8 * static_cast<uint64_t>(length_);
    }

    // Little-endian field of at most 32 bits; the caller checked Contains.
    uint32_t Read(uint64_t bitOffset, uint32_t bitSize) const {
        uint32_t value = 0;
        for (uint32_t i = 0; i < std::min(bitSize, 32u); ++i) {
            const uint64_t bit = bitOffset + i;
            const uint32_t set = (report_[1 + bit / 8] >> (bit % 8)) & 1u;
            value |= set << i;
        }
        return value;
    }

private:
    const uint8_t* report_;
    size_t length_;
};

int64_t SignExtend(uint32_t value, uint32_t bitSize) {
    if (bitSize == 0 || bitSize >= 32) return static_cast<int32_t>(value);
    const uint32_t signBit = 1u << (bitSize - 1);
    return static_cast<int64_t>(value ^ signBit) - signBit;
}

// Field values are signed exactly when the logical minimum is negative.
int64_t LogicalValue(uint32_t raw, uint32_t bitSize, int32_t logicalMin) {
    return logicalMin < 0 ? SignExtend(raw, bitSize) : static_cast<int64_t>(raw);
}

using PressedUsages = std::map<uint16_t, std::optional<std::vector<uint16_t>>>;

// The pressed usages of each usage page in one report, in caps order; nothing for a page
// with a field beyond the report.
PressedUsages ReadPressedUsages(const hid::HidReportCaps& caps, const ReportBits& bits, uint8_t reportId) {
    PressedUsages byPage;
    for (const hid::HidButtonCaps& button : caps.buttons) {
        if (button.reportId != reportId) continue;
        auto [entry, added] = byPage.try_emplace(button.usagePage, std::vector<uint16_t>{});
        if (!entry->second) continue;
        if (!bits.Contains(button.bitOffset, static_cast<uint64_t>(button.bitSize) * button.reportCount)) {
            entry->second.reset();
            continue;
        }
        std::vector<uint16_t>& pressed = *entry->second;
        for (uint32_t field = 0; field < button.reportCount; ++field) {
            const uint64_t offset = button.bitOffset + static_cast<uint64_t>(field) * button.bitSize;
            uint32_t usage = 0;
            if (button.isArray) {
                const int64_t index = LogicalValue(bits.Read(offset, button.bitSize), button.bitSize, button.logicalMin);
                if (index < button.logicalMin || index > button.logicalMax) continue;
                usage = static_cast<uint32_t>(button.usageMin + (index - button.logicalMin));
                if (usage > button.usageMax) continue;
            } else {
                if (bits.Read(offset, 1) == 0) continue;
                usage = button.usageMin + std::min<uint32_t>(field, button.usageMax - button.usageMin);
            }
            if (usage != 0) pressed.push_back(static_cast<uint16_t>(usage));
        }
    }
    return byPage;
}

void UnpackButtons(HidReportItem& item, const std::optional<std::vector<uint16_t>>& pressed) {
    item.usages.clear();
    item.status = pressed ? 0 : kStatusReportTooShort;
    if (pressed) {
        for (uint16_t usage : *pressed) {
            if (item.usages.size() >= item.maxUsageListLength) break;
            if (usage >= item.usageMin && usage <= item.usageMax) item.usages.push_back(usage);
        }
    }
    if (item.usages.size() < item.maxUsageListLength) item.usages.push_back(0);
}

// Physical scaling when a physical range is declared, else the logical value itself.
std::optional<int32_t> ScaledValue(const hid::HidValueCaps& caps, uint32_t raw) {
    const int64_t logical = LogicalValue(raw, caps.bitSize, caps.logicalMin);
    if (caps.physicalMin == 0 && caps.physicalMax == 0) return static_cast<int32_t>(logical);
    if (caps.logicalMax <= caps.logicalMin || logical < caps.logicalMin || logical > caps.logicalMax) {
        return std::nullopt;
    }
    const __int128 physicalSpan = static_cast<__int128>(caps.physicalMax) - caps.physicalMin;
    const __int128 logicalSpan = static_cast<__int128>(caps.logicalMax) - caps.logicalMin;
    const __int128 scaled = caps.physicalMin + (logical - caps.logicalMin) * physicalSpan / logicalSpan;
    return static_cast<int32_t>(scaled);
}

using ValueIndex = std::map<std::pair<uint16_t, uint16_t>, const hid::HidValueCaps*>;

// The value caps of one report by (usage page, usage); the first declaration wins.
ValueIndex IndexValues(const hid::HidReportCaps& caps, uint8_t reportId) {
    ValueIndex index;
    for (const hid::HidValueCaps& value : caps.values) {
        if (value.reportId == reportId) index.try_emplace({value.usagePage, value.usage}, &value);
    }
    return index;
}

// A value array (reportCount > 1) yields its first field, as a single usage value read does.
bool UnpackValue(HidReportItem& item, const ValueIndex& values, const ReportBits& bits) {
    const auto found = values.find({item.usagePage, item.usage});
    if (found == values.end()) {
        item.status = kStatusUnknownUsage;
        return false;
    }
    const hid::HidValueCaps& caps = *found->second;
    if (!bits.Contains(caps.bitOffset, caps.bitSize)) {
        item.status = kStatusReportTooShort;
        return false;
    }
    item.rawValue = bits.Read(caps.bitOffset, caps.bitSize);
    const std::optional<int32_t> scaled = ScaledValue(caps, item.rawValue);
    item.scaledValue = scaled.value_or(0);
    item.status = scaled ? 0 : kStatusValueOutOfRange;
    return true;
}

using UsageListLengths = std::map<std::pair<uint8_t, uint16_t>, uint32_t>;

// Room for every button of a usage page in one report. The runs of one array field share
// its fields, so those count once.
UsageListLengths CountUsageListLengths(const hid::HidReportCaps& caps) {
    UsageListLengths lengths;
    std::set<std::tuple<uint8_t, uint16_t, uint32_t>> arrayFields;
    for (const hid::HidButtonCaps& button : caps.buttons) {
        if (button.isArray && !arrayFields.emplace(button.reportId, button.usagePage, button.bitOffset).second) {
            continue;
        }
        lengths[{button.reportId, button.usagePage}] += button.reportCount;
    }
    return lengths;
}

}  // namespace

std::vector<HidReportItem> BuildReportItems(const hid::HidCollectionCaps& caps, hid::ReportKind kind) {
    const hid::HidReportCaps& report = caps.Caps(kind);
    std::vector<HidReportItem> items;
    items.reserve(report.buttons.size() + report.values.size());
    const UsageListLengths lengths = CountUsageListLengths(report);
    for (const hid::HidButtonCaps& button : report.buttons) {
        HidReportItem item;
        item.isButton = true;
        item.usagePage = button.usagePage;
        item.reportId = button.reportId;
        item.usageMin = button.usageMin;
        item.usageMax = button.usageMax;
        item.maxUsageListLength = lengths.at({button.reportId, button.usagePage});
        items.push_back(std::move(item));
    }
    for (const hid::HidValueCaps& value : report.values) {
        HidReportItem item;
        item.usagePage = value.usagePage;
        item.reportId = value.reportId;
        item.usage = value.usage;
        items.push_back(std::move(item));
    }
    return items;
}

bool UnpackInputReport(std::vector<HidReportItem>& items, const uint8_t* report, size_t reportLength,
                       hid::ReportKind kind, size_t itemCount, const hid::HidCollectionCaps& parsed) {
    const size_t count = std::min(itemCount, items.size());
    for (size_t i = 0; i < count; ++i) items[i].isSet = false;
    if (report == nullptr || reportLength == 0) return false;

    const uint8_t reportId = report[0];
    const ReportBits bits(report, reportLength);
    const hid::HidReportCaps& caps = parsed.Caps(kind);
    const PressedUsages pressed = ReadPressedUsages(caps, bits, reportId);
    const ValueIndex values = IndexValues(caps, reportId);

    for (size_t i = 0; i < count; ++i) {
        HidReportItem& item = items[i];
        if (item.reportId != reportId) continue;
        item.isSet = true;
        if (item.isButton) {
            const auto page = pressed.find(item.usagePage);
            UnpackButtons(item, page != pressed.end() ? page->second : std::vector<uint16_t>{});
        } else if (!UnpackValue(item, values, bits)) {
            return false;
        }
    }
    return true;
}

}  // namespace morvek
