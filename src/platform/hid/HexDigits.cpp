#include "platform/hid/HexDigits.h"

#include <cctype>

namespace morvek::hid {

std::optional<uint32_t> ParseHexDigits(std::string_view digits, size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits || maxDigits > 8) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        const int lower = std::tolower(static_cast<unsigned char>(c));
        if (!std::isxdigit(lower)) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(std::isdigit(lower) ? lower - '0' : lower - 'a' + 10);
    }
    return value;
}

}  // namespace morvek::hid
