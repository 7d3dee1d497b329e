#pragma once
// Splits a HID report descriptor into its items. Short items carry 0, 1, 2 or 4 data
// bytes; long items (prefix 0xFE) are reported so the parser can skip them. Every read
// is bounds-checked: an item that claims more bytes than remain makes the walk fail.

#include <cstddef>
#include <cstdint>
#include <span>

namespace morvek::hid {

enum class ItemType : uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3, Long = 4 };

struct DescriptorItem {
    ItemType type = ItemType::Main;
    uint8_t tag = 0;
    uint8_t size = 0;   // data bytes of a short item (0, 1, 2 or 4)
    uint32_t data = 0;  // little-endian data, zero-extended

    // The data read as a two's-complement number of its own size.
    int32_t SignedData() const;
};

class DescriptorItemReader {
public:
    enum class Step { Item, End, Malformed };

    explicit DescriptorItemReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    Step Next(DescriptorItem& item);

private:
    std::span<const uint8_t> bytes_;
    size_t position_ = 0;
};

}  // namespace morvek::hid
