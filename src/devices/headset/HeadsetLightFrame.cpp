#include "devices/headset/HeadsetLightFrame.h"

#include <algorithm>

namespace morvek {
namespace {

constexpr uint8_t kReportId = 0xFF;
constexpr uint8_t kFirstTarget = 0x22;
constexpr uint8_t kSecondTarget = 0x44;
constexpr size_t kDataStart = 4;
constexpr size_t kFirstHalf = 7;  // LEDs 0-6, then LEDs 7-12

struct ReportLayout {
    uint8_t target;
    uint8_t reg;
    size_t plane;
    bool secondHalf;
};

constexpr ReportLayout kReports[kHeadsetReportCount] = {
    {kFirstTarget, 0xAA, 0, false}, {kFirstTarget, 0xAD, 0, true},  {kSecondTarget, 0xAA, 0, false},
    {kSecondTarget, 0xAD, 0, true}, {kFirstTarget, 0xAB, 1, false}, {kFirstTarget, 0xAE, 1, true},
    {kSecondTarget, 0xAB, 1, false}, {kSecondTarget, 0xAE, 1, true}, {kFirstTarget, 0xAC, 2, false},
    {kFirstTarget, 0xAF, 2, true},  {kSecondTarget, 0xAC, 2, false}, {kSecondTarget, 0xAF, 2, true},
};

uint8_t Scaled(uint8_t colour, uint8_t brightness) {
    return static_cast<uint8_t>(std::min<int>(colour * brightness / 256, kHeadsetColourCap));
}

}  // namespace

HeadsetFrameReports BuildHeadsetFrameReports(std::span<const LedEntry> leds) {
    std::array<std::array<uint8_t, kHeadsetLedCount>, 3> planes{};
    for (size_t i = 0; i < kHeadsetLedCount && i < leds.size(); ++i) {
        const LedEntry& led = leds[i];
        planes[0][i] = Scaled(led.colour.c0, led.brightness);
        planes[1][i] = Scaled(led.colour.c1, led.brightness);
        planes[2][i] = Scaled(led.colour.c2, led.brightness);
    }
    HeadsetFrameReports reports{};
    HeadsetReport buffer{};
    for (size_t r = 0; r < kHeadsetReportCount; ++r) {
        const ReportLayout& layout = kReports[r];
        buffer[0] = kReportId;
        buffer[1] = layout.target;
        buffer[2] = layout.reg;
        buffer[3] = 0;
        const size_t first = layout.secondHalf ? kFirstHalf : 0;
        const size_t last = layout.secondHalf ? kHeadsetLedCount : kFirstHalf;
        for (size_t led = first; led < last; ++led) buffer[kDataStart + led - first] = planes[layout.plane][led];
        reports[r] = buffer;
    }
    return reports;
}

bool SendHeadsetFrameReports(CHidChannel& channel, const HeadsetFrameReports& reports) {
    bool all = true;
    for (const HeadsetReport& report : reports) {
        all = channel.Interface().SetOutputReport(report.size(), report.data()) && all;
    }
    return all;
}

}  // namespace morvek
