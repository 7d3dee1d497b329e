#include "devices/keyboard/KeyLayout.h"

#include <algorithm>

#include "devices/keys/KeyDefaultTable.h"

namespace morvek {

KeyLayout::KeyLayout() {
    slots_.fill(kAbsent);
    leds_.fill(kAbsent);
}

std::optional<KeyLayout> KeyLayout::FromDeviceTables(std::span<const uint8_t> keyTable,
                                                     std::span<const uint8_t> ledTable, int slotCount) {
    const size_t tableBytes = size_t(std::max(slotCount, 0)) * 3;
    if (slotCount < 0 || tableBytes > kMaxKeyTableBytes || keyTable.size() < tableBytes) return std::nullopt;

    KeyLayout layout;
    layout.read_ = true;
    layout.slotCount_ = slotCount;
    layout.keyTable_.assign(keyTable.begin(), keyTable.begin() + tableBytes);

    // Keys are searched in the first 126 slots.
    const int searched = std::min(slotCount, kKeyCount);
    const auto& defaults = DefaultKeyTable();
    for (int key = 0; key < kKeyCount; ++key) {
        for (int slot = 0; slot < searched; ++slot) {
            const KeyAssignment held{layout.keyTable_[slot * 3], layout.keyTable_[slot * 3 + 1],
                                     layout.keyTable_[slot * 3 + 2]};
            if (held == defaults[key]) {
                layout.slots_[key] = uint8_t(slot);
                break;
            }
        }
    }
    if (searched > 0) layout.slots_[kKeyM1] = 0;

    for (int key = 0; key < kKeyCount; ++key) {
        const uint8_t slot = layout.slots_[key];
        if (slot != kAbsent && slot < ledTable.size()) layout.leds_[key] = ledTable[slot];
    }
    return layout;
}

uint8_t KeyLayout::SlotOf(int key) const { return key >= 0 && key < kKeyCount ? slots_[key] : kAbsent; }

uint8_t KeyLayout::LedOf(int key) const { return key >= 0 && key < kKeyCount ? leds_[key] : kAbsent; }

std::vector<uint8_t> KeyLayout::KeyTableImage(std::span<const KeyListEntry> keys) const {
    if (!read_) return {};
    std::vector<uint8_t> image = keyTable_;
    const size_t count = std::min(keys.size(), size_t(kKeyCount));
    for (size_t key = 0; key < count; ++key) {
        const uint8_t slot = slots_[key];
        if (slot == kAbsent) continue;
        const KeyAssignment& a = keys[key].current;
        image[size_t(slot) * 3] = a.type;
        image[size_t(slot) * 3 + 1] = a.p1;
        image[size_t(slot) * 3 + 2] = a.p2;
    }
    return image;
}

}  // namespace morvek
