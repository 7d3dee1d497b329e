#include "platform/hid/DescriptorUsages.h"

namespace morvek::hid {

uint32_t UsageRef::Resolve(uint16_t usagePage) const {
    if (extended) return value;
    return (static_cast<uint32_t>(usagePage) << 16) | (value & 0xFFFF);
}

bool LocalUsages::Push(Entry entry) {
    if (entries_.size() >= kMaxEntries) return false;
    entries_.push_back(entry);
    return true;
}

bool LocalUsages::AddUsage(UsageRef usage) { return Push(Entry{usage, usage}); }

bool LocalUsages::SetMinimum(UsageRef usage) {
    pendingMin_ = usage;
    return CompletePendingRange();
}

bool LocalUsages::SetMaximum(UsageRef usage) {
    pendingMax_ = usage;
    return CompletePendingRange();
}

bool LocalUsages::CompletePendingRange() {
    if (!pendingMin_ || !pendingMax_) return true;
    const Entry entry{*pendingMin_, *pendingMax_};
    pendingMin_.reset();
    pendingMax_.reset();
    return Push(entry);
}

std::vector<UsageRange> LocalUsages::Resolve(uint16_t usagePage) const {
    std::vector<UsageRange> ranges;
    ranges.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        const uint32_t first = entry.first.Resolve(usagePage);
        const uint32_t last = entry.last.Resolve(usagePage);
        if ((first >> 16) != (last >> 16) || first > last) continue;
        ranges.push_back(UsageRange{first, last});
    }
    return ranges;
}

void LocalUsages::Clear() {
    entries_.clear();
    pendingMin_.reset();
    pendingMax_.reset();
}

std::vector<uint32_t> FlattenUsages(const std::vector<UsageRange>& ranges, size_t limit) {
    std::vector<uint32_t> usages;
    for (const UsageRange& range : ranges) {
        for (uint64_t usage = range.first; usage <= range.last; ++usage) {
            if (usages.size() >= limit) return usages;
            usages.push_back(static_cast<uint32_t>(usage));
        }
    }
    return usages;
}

}  // namespace morvek::hid
