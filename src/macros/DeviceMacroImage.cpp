#include "macros/DeviceMacroImage.h"

#include <algorithm>

namespace morvek {
namespace {

void PutU16(std::vector<uint8_t>& image, size_t at, size_t value) {
    image[at] = static_cast<uint8_t>(value & 0xFF);
    image[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

size_t DeviceMacroImage::TotalSize(std::span<const size_t> eventCounts) {
    size_t total = kHeaderSize;
    for (const size_t events : eventCounts) total += 2 + kRecordHeaderSize + kEventSize * events;
    return total;
}

std::array<uint8_t, DeviceMacroImage::kEventSize> DeviceMacroImage::EncodeEvent(const MacroEvent& event) {
    const uint16_t delay = event.DelayMs();
    return {static_cast<uint8_t>(delay & 0xFF), static_cast<uint8_t>(delay >> 8),
            static_cast<uint8_t>((event.type & 0x7F) | (event.down ? 0x80 : 0x00)),
            static_cast<uint8_t>(event.button & 0xFF)};
}

std::vector<uint8_t> DeviceMacroImage::Build(std::span<const std::vector<MacroEvent>> records) {
    std::vector<size_t> counts;
    for (const auto& record : records) counts.push_back(record.size());
    const size_t total = TotalSize(counts);
    if (total > kMaxImageSize) return {};

    std::vector<uint8_t> image(total, 0);
    PutU16(image, 0, kMagic);
    PutU16(image, 2, total);
    PutU16(image, 4, records.size());
    size_t position = kHeaderSize + 2 * records.size();
    for (size_t m = 0; m < records.size(); ++m) {
        PutU16(image, kHeaderSize + 2 * m, position);
        PutU16(image, position, records[m].size());
        size_t at = position + kRecordHeaderSize;
        for (const MacroEvent& event : records[m]) {
            const auto bytes = EncodeEvent(event);
            std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
            at += kEventSize;
        }
        position = at;
    }
    return image;
}

}  // namespace morvek
