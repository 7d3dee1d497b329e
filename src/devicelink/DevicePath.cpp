#include "devicelink/DevicePath.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace morvek {
namespace {

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

std::string_view::const_iterator FindMarker(std::string_view path, std::string_view marker) {
    return std::search(path.begin(), path.end(), marker.begin(), marker.end(), SameLetter);
}

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

uint16_t ParsePathNumber(std::string_view path, std::string_view marker) {
    if (marker.empty()) return 0;
    const auto it = FindMarker(path, marker);
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

std::optional<std::string> PathWithCollection(std::string_view path, uint16_t collection) {
    constexpr std::string_view kMarker = "&col";
    const auto marker = FindMarker(path, kMarker);
    if (marker == path.end()) {
        if (collection != 0) return std::nullopt;
        return std::string(path);
    }
    const auto digits = marker + static_cast<std::ptrdiff_t>(kMarker.size());
    const auto end = std::find_if_not(digits, path.end(), IsHexDigit);
    const bool upper = std::isupper(static_cast<unsigned char>(marker[1])) != 0;
    const int width = std::max(2, static_cast<int>(end - digits));
    char number[16];
    std::snprintf(number, sizeof number, upper ? "%0*X" : "%0*x", width, unsigned{collection});
    std::string result(path.begin(), digits);
    result += number;
    result.append(end, path.end());
    return result;
}

}  // namespace morvek
