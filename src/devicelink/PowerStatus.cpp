#include "devicelink/PowerStatus.h"

#include <algorithm>
#include <cstdio>

namespace morvek {
namespace {

constexpr int kKindMouseIndicator = 2;
constexpr int kKindPadIndicator = 3;

}  // namespace

PowerIndicatorState DecodePowerStatus(std::span<const uint8_t> record, int indicatorKind) {
    // The indicator copies what it is given into a 64-byte buffer, zero-padded.
    std::array<uint8_t, 64> bytes{};
    std::copy_n(record.begin(), std::min(record.size(), bytes.size()), bytes.begin());

    PowerIndicatorState state;
    const int level = bytes[kPowerByteLevel];
    state.levelBarValue = 100 - level;
    char text[16];
    std::snprintf(text, sizeof text, "%d%s", level, "%");
    state.valueText = text;

    const bool wireless = bytes[kPowerByteWireless] != 0;
    if (indicatorKind == kKindMouseIndicator) state.wirelessLogoVisible = wireless;

    switch (bytes[kPowerByteCharging]) {
        case 0:
            state.levelBarVisible = true;
            state.statusImage = "file='power/powered.png'";
            break;
        case 1:
            state.levelBarVisible = !wireless;
            state.statusImage = wireless ? "file='power/wuxian_powering.png'" : "file='power/powering.png'";
            break;
        case 2:
            state.levelBarVisible = true;
            state.statusImage = "file='power/power.png'";
            break;
        default: break;  // the image stays as it is
    }

    if (indicatorKind == kKindPadIndicator) {
        switch (bytes[kPowerBytePhone]) {
            case 1: state.phoneName = "Phone_type_iphone"; break;
            case 2: state.phoneName = "Phone_type_samsung"; break;
            case 3: state.phoneName = "Phone_type_other"; break;
            default: state.phoneName = "Phone_type_no_device"; break;
        }
        state.phoneImage = "file='power/" + *state.phoneName + ".png'";
    }
    return state;
}

}  // namespace morvek
