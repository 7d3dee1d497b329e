#include "devices/keyboard/KeyboardSystemSettings.h"

#include <limits>

namespace morvek {
namespace {

constexpr int kRepeatDelayStepMs = 250;

uint16_t Low(uint32_t word) { return static_cast<uint16_t>(word); }
uint16_t High(uint32_t word) { return static_cast<uint16_t>(word >> 16); }
uint32_t Pair(uint16_t low, uint16_t high) { return uint32_t(high) << 16 | low; }

bool IsOption(int value) { return value >= 0 && value < kKeyboardSystemOptionCount; }

}  // namespace

KeyboardSystemSettings KeyboardSystemSettings::FromWords(const KeyboardSystemWords& words) {
    return {Low(words[0]), High(words[0]), Low(words[1]), High(words[1]), Low(words[2]), High(words[2])};
}

KeyboardSystemWords KeyboardSystemSettings::Words() const {
    return {Pair(repeatRate, repeatDelay), Pair(key6Flag, pollingRate), Pair(wFlag, winLock)};
}

bool SetKeyboardSystemField(KeyboardSystemSettings& settings, KeyboardSystemField field, int value) {
    const uint16_t flag = value != 0 ? 1 : 0;
    switch (field) {
    case KeyboardSystemField::RepeatRate:
        if (value < 0 || value > std::numeric_limits<uint16_t>::max()) return false;
        settings.repeatRate = static_cast<uint16_t>(value);
        return true;
    case KeyboardSystemField::RepeatDelay:
        if (!IsOption(value)) return false;
        settings.repeatDelay = static_cast<uint16_t>(value);
        return true;
    case KeyboardSystemField::PollingRate:
        if (!IsOption(value)) return false;
        settings.pollingRate = static_cast<uint16_t>(value);
        return true;
    case KeyboardSystemField::Key6Flag: settings.key6Flag = flag; return true;
    case KeyboardSystemField::WFlag: settings.wFlag = flag; return true;
    case KeyboardSystemField::WinLock: settings.winLock = flag; return true;
    }
    return false;
}

bool IsWrittenToKeyboard(KeyboardSystemField field) {
    return field != KeyboardSystemField::RepeatRate && field != KeyboardSystemField::RepeatDelay;
}

int ShownSystemOption(int value) { return IsOption(value) ? value : 0; }

std::string RepeatDelayLabel(std::string_view translatedPrefix, int repeatDelay) {
    const int ms = ShownSystemOption(repeatDelay) * kRepeatDelayStepMs + kRepeatDelayStepMs;
    std::string label(translatedPrefix);
    label += std::to_string(ms);
    label += "ms";
    return label;
}

}  // namespace morvek
