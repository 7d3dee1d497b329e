#include "macros/JsonNumber.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace morvek {

long long IntegerOfText(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' || text[pos] == '\r'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const int digit = text[pos] - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

long long JsonIntegerOrText(const Json::Value& value) {
    if (value.isInt64()) return value.asInt64();
    if (value.isUInt64()) return std::numeric_limits<long long>::max();
    if (value.isDouble()) {
        const double d = value.asDouble();
        if (std::isnan(d)) return 0;
        constexpr double kLimit = 9.0e18;
        return static_cast<long long>(std::clamp(d, -kLimit, kLimit));
    }
    if (value.isString()) return IntegerOfText(value.asString());
    return 0;
}

}  // namespace morvek
