#include "platform/hid/DescriptorItems.h"

namespace morvek::hid {
namespace {

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr size_t kLongItemHeader = 3;  // prefix, data size, long tag

}  // namespace

int32_t DescriptorItem::SignedData() const {
    switch (size) {
    case 1: return static_cast<int8_t>(data);
    case 2: return static_cast<int16_t>(data);
    case 4: return static_cast<int32_t>(data);
    default: return 0;
    }
}

DescriptorItemReader::Step DescriptorItemReader::Next(DescriptorItem& item) {
    const size_t left = bytes_.size() - position_;
    if (left == 0) return Step::End;

    const uint8_t prefix = bytes_[position_];
    if (prefix == kLongItemPrefix) {
        if (left < kLongItemHeader) return Step::Malformed;
        const size_t dataSize = bytes_[position_ + 1];
        if (left - kLongItemHeader < dataSize) return Step::Malformed;
        item = DescriptorItem{ItemType::Long, bytes_[position_ + 2], 0, 0};
        position_ += kLongItemHeader + dataSize;
        return Step::Item;
    }

    static constexpr uint8_t kSizes[4] = {0, 1, 2, 4};
    const uint8_t size = kSizes[prefix & 0x03];
    if (left - 1 < size) return Step::Malformed;

    uint32_t data = 0;
    for (uint8_t i = 0; i < size; ++i) {
        data |= static_cast<uint32_t>(bytes_[position_ + 1 + i]) << (8 * i);
    }
    item = DescriptorItem{static_cast<ItemType>((prefix >> 2) & 0x03), static_cast<uint8_t>(prefix >> 4), size, data};
    position_ += 1 + size;
    return Step::Item;
}

}  // namespace morvek::hid
