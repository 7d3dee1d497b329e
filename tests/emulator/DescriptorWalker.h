#pragma once
// A minimal HID report descriptor reader for the tests: walks the items, rejects malformed
// descriptors, and collects per top-level collection its usage, report lengths and fields.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace morvek::emulator::test {

struct WalkedField {
    uint8_t reportId = 0;
    bool input = false;
    bool isArray = false;
    uint32_t size = 0;
    uint32_t count = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t bitOffset = 0;  // from the first bit after the report id
};

struct WalkedCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    std::map<uint8_t, uint32_t> inputBits;  // by report id
    std::map<uint8_t, uint32_t> outputBits;
    std::vector<WalkedField> fields;

    uint16_t LongestInput() const { return Longest(inputBits); }
    uint16_t LongestOutput() const { return Longest(outputBits); }

private:
    static uint16_t Longest(const std::map<uint8_t, uint32_t>& bits) {
        uint32_t longest = 0;
        for (const auto& [id, n] : bits) {
            longest = std::max(longest, (n + 7) / 8 + 1);
        }
        return static_cast<uint16_t>(longest);
    }
};

inline std::optional<std::vector<WalkedCollection>> WalkDescriptor(std::span<const uint8_t> d) {
    std::vector<WalkedCollection> collections;
    uint16_t page = 0;
    int32_t logicalMin = 0, logicalMax = 0;
    uint32_t size = 0, count = 0;
    uint8_t reportId = 0;
    std::vector<uint32_t> usages;
    uint32_t usageMin = 0, usageMax = 0;
    int depth = 0;
    size_t i = 0;
    while (i < d.size()) {
        const uint8_t prefix = d[i++];
        const size_t n = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (prefix == 0xFE || i + n > d.size()) {
            return std::nullopt;  // long items are not used; truncated items are malformed
        }
        uint32_t value = 0;
        for (size_t b = 0; b < n; ++b) {
            value |= uint32_t{d[i + b]} << (8 * b);
        }
        int32_t signedValue = static_cast<int32_t>(value);
        if (n == 1) signedValue = static_cast<int8_t>(value);
        if (n == 2) signedValue = static_cast<int16_t>(value);
        i += n;
        switch (prefix & 0xFC) {
        case 0x04: page = static_cast<uint16_t>(value); break;
        case 0x14: logicalMin = signedValue; break;
        case 0x24: logicalMax = signedValue; break;
        case 0x74: size = value; break;
        case 0x84:
            if (value == 0 || value > 255) return std::nullopt;
            reportId = static_cast<uint8_t>(value);
            break;
        case 0x94: count = value; break;
        case 0x08: usages.push_back(value); break;
        case 0x18: usageMin = value; break;
        case 0x28: usageMax = value; break;
        case 0xA0:
            if (depth++ == 0) {
                if (usages.empty()) return std::nullopt;
                collections.push_back({page, static_cast<uint16_t>(usages.back()), {}, {}, {}});
            }
            break;
        case 0xC0:
            if (depth-- == 0) return std::nullopt;
            break;
        case 0x80:
        case 0x90: {
            if (depth == 0 || size == 0 || size > 32) return std::nullopt;
            WalkedCollection& c = collections.back();
            const bool input = (prefix & 0xFC) == 0x80;
            auto& bits = input ? c.inputBits : c.outputBits;
            c.fields.push_back({reportId, input, (value & 0x02) == 0, size, count, logicalMin, logicalMax, usageMin,
                                usageMax, bits[reportId]});
            bits[reportId] += size * count;
            break;
        }
        case 0xB0:
            if (depth == 0) return std::nullopt;
            break;
        default: break;
        }
        if ((prefix & 0x0C) == 0x00 && (prefix & 0xFC) != 0x00) {
            usages.clear();  // local items end with each main item
            usageMin = usageMax = 0;
        }
    }
    if (depth != 0) return std::nullopt;
    return collections;
}

}  // namespace morvek::emulator::test
