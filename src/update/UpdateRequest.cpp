#include "update/UpdateRequest.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace morvek::update {

std::string ApplicationKey(const UpdateIdentity& identity) {
    if (identity.version == 0) return "NULL";
    return identity.projectCode + "_" + std::to_string(identity.hexVersion) + "_" + identity.productCode + "_" +
           identity.modelCode + "_" + std::to_string(identity.keyNumber);
}

std::string CurrentVersionText(const UpdateIdentity& identity) {
    char text[16];
    if (identity.hexVersion != 0)
        std::snprintf(text, sizeof text, "V%04x", static_cast<unsigned>(identity.version));
    else
        std::snprintf(text, sizeof text, "V%d", identity.version);
    return text;
}

std::string QueryBody(const UpdateIdentity& identity) {
    char version[16];
    if (identity.hexVersion != 0)
        std::snprintf(version, sizeof version, "%x", static_cast<unsigned>(identity.version));
    else
        std::snprintf(version, sizeof version, "%d", identity.version);
    return "app_key=" + ApplicationKey(identity) + "&version=" + version;
}

int InstalledVersionNumber(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c != '.') digits += c;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end == digits.data()) return 0;
    return value;
}

int64_t OfferedVersionNumber(std::string_view text, bool hexadecimal) {
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    if (hexadecimal && text.substr(start, 2) == "0x") start += 2;
    int64_t value = 0;
    const char* first = text.data() + start;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value, hexadecimal ? 16 : 10);
    if (error != std::errc() || end == first) return 0;
    return value;
}

}  // namespace morvek::update
