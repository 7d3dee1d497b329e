#pragma once
// The usages a descriptor declares before a main item (Usage, Usage Minimum/Maximum).
// A usage written with 4 data bytes carries its own page in the high half; a shorter one
// takes the usage page in force when the main item is reached.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace morvek::hid {

struct UsageRef {
    uint32_t value = 0;
    bool extended = false;

    uint32_t Resolve(uint16_t usagePage) const;
};

// Full 32-bit usages (page << 16 | id), both ends on the same page.
struct UsageRange {
    uint32_t first = 0;
    uint32_t last = 0;

    uint32_t Count() const { return last - first + 1; }
};

class LocalUsages {
public:
    static constexpr size_t kMaxEntries = 1024;

    // Each returns false when the item makes the list longer than kMaxEntries.
    bool AddUsage(UsageRef usage);
    bool SetMinimum(UsageRef usage);
    bool SetMaximum(UsageRef usage);

    // Ranges in declaration order; a range whose ends lie on different pages or run
    // backwards is dropped, an unpaired minimum or maximum is ignored.
    std::vector<UsageRange> Resolve(uint16_t usagePage) const;
    void Clear();

private:
    struct Entry {
        UsageRef first;
        UsageRef last;
    };
    bool Push(Entry entry);
    bool CompletePendingRange();

    std::vector<Entry> entries_;
    std::optional<UsageRef> pendingMin_;
    std::optional<UsageRef> pendingMax_;
};

// The first `limit` usages of the ranges, one per field.
std::vector<uint32_t> FlattenUsages(const std::vector<UsageRange>& ranges, size_t limit);

}  // namespace morvek::hid
