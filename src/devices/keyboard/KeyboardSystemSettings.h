#pragma once
// The keyboard's system settings: repeat rate and delay (kept on the host only), the 6-key,
// W and Windows-key lock flags and the polling rate option (also written to the keyboard).

#include <cstdint>
#include <string>
#include <string_view>

#include "profiles/KeyboardProfiledata.h"

namespace morvek {

struct KeyboardSystemSettings {
    uint16_t repeatRate = 0;
    uint16_t repeatDelay = 0;  // option 0-3: 250, 500, 750, 1000 ms
    uint16_t key6Flag = 0;
    uint16_t pollingRate = 0;  // option 0-3, interpreted by the keyboard
    uint16_t wFlag = 0;
    uint16_t winLock = 0;

    // The model's three words: (repeat rate, repeat delay), (6-key flag, polling rate),
    // (W flag, Windows-key lock), the first of each pair in the low half.
    static KeyboardSystemSettings FromWords(const KeyboardSystemWords& words);
    KeyboardSystemWords Words() const;

    bool operator==(const KeyboardSystemSettings&) const = default;
};

enum class KeyboardSystemField { RepeatRate, RepeatDelay, Key6Flag, PollingRate, WFlag, WinLock };

constexpr int kKeyboardSystemOptionCount = 4;

// Stores a change from the panel or the command line. An option outside 0-3 or a repeat
// rate outside 16 bits is refused (false, nothing stored); a flag stores 1 for any non-zero value.
bool SetKeyboardSystemField(KeyboardSystemSettings& settings, KeyboardSystemField field, int value);
// Whether a change of the field has to be written to the keyboard: the repeat rate and delay
// stay on the host.
bool IsWrittenToKeyboard(KeyboardSystemField field);

// The option the panel selects for a stored repeat delay or polling rate: values outside 0-3
// select option 0 (the stored value itself is kept).
int ShownSystemOption(int value);
// The repeat delay label: the translated prefix, the delay of the shown option in
// milliseconds, then "ms".
std::string RepeatDelayLabel(std::string_view translatedPrefix, int repeatDelay);

}  // namespace morvek
