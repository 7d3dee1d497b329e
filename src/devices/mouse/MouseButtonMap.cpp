#include "devices/mouse/MouseButtonMap.h"

#include <algorithm>

namespace morvek {
namespace {

constexpr size_t kSlotBytes = 3;

}  // namespace

const std::array<KeyAssignment, MouseButtonMap::kButtonCount>& MouseButtonMap::FactoryCodes() {
    static constexpr std::array<KeyAssignment, kButtonCount> codes = {{
        {0x10, 0x01, 0x00},
        {0x10, 0x02, 0x00},
        {0x10, 0x04, 0x00},
        {0x10, 0x10, 0x00},
        {0x10, 0x08, 0x00},
        {0x13, 0x01, 0x00},
        {0x13, 0x02, 0x00},
        {0x13, 0x03, 0x00},
        {0xA0, 0x1B, 0x00},
        {0x16, 0x90, 0x01},
    }};
    return codes;
}

MouseButtonMap MouseButtonMap::FromKeyTable(std::span<const uint8_t> table, size_t slotCount) {
    MouseButtonMap map;
    map.slots_.fill(kNoSlot);
    const size_t slots = std::min(slotCount, table.size() / kSlotBytes);
    for (size_t button = 0; button < kButtonCount; ++button) {
        const KeyAssignment& code = FactoryCodes()[button];
        for (size_t k = 0; k < slots && k < kNoSlot; ++k) {
            const KeyAssignment held{table[k * kSlotBytes], table[k * kSlotBytes + 1], table[k * kSlotBytes + 2]};
            if (held == code) {
                map.slots_[button] = static_cast<uint8_t>(k);
                break;
            }
        }
    }
    return map;
}

std::map<uint32_t, uint32_t> MouseButtonMap::AsKeyIndexMap() const {
    std::map<uint32_t, uint32_t> map;
    for (size_t button = 0; button < kButtonCount; ++button) map[uint32_t(button)] = slots_[button];
    return map;
}

std::vector<uint8_t> MouseKeyTableImage(std::span<const uint8_t> table, const MouseButtonMap& map,
                                        std::span<const KeyListEntry> keys) {
    std::vector<uint8_t> image(table.begin(), table.end());
    const size_t buttons = std::min(keys.size(), MouseButtonMap::kButtonCount);
    for (size_t button = 0; button < buttons; ++button) {
        const size_t slot = map.SlotOf(button);
        if (slot == MouseButtonMap::kNoSlot || (slot + 1) * kSlotBytes > image.size()) continue;
        const KeyAssignment& a = keys[button].current;
        image[slot * kSlotBytes] = a.type;
        image[slot * kSlotBytes + 1] = a.p1;
        image[slot * kSlotBytes + 2] = a.p2;
    }
    return image;
}

}  // namespace morvek
