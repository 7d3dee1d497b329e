#include "devicelink/DevicePath.h"

#include <algorithm>
#include <cctype>

namespace morvek {

uint16_t ParsePathNumber(std::string_view path, std::string_view marker) {
    if (marker.empty()) return 0;
    const auto it = std::search(path.begin(), path.end(), marker.begin(), marker.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    if (it == path.end()) return 0;
    // Like %x: hexadecimal digits until the first other character, kept to 32 bits, then cut to 16.
    uint32_t value = 0;
    for (auto p = it + static_cast<std::ptrdiff_t>(marker.size()); p != path.end(); ++p) {
        const int c = std::tolower(static_cast<unsigned char>(*p));
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else break;
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return static_cast<uint16_t>(value);
}

}  // namespace morvek
