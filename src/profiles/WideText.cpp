#include "profiles/WideText.h"

namespace morvek {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf8FromWide(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (wchar_t w : wide) AppendUtf8(out, static_cast<char32_t>(w));
    return out;
}

std::wstring WideFromUtf8(std::string_view utf8) {
    std::wstring out;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        size_t length;
        char32_t c;
        if (b < 0x80) { length = 1; c = b; }
        else if ((b & 0xE0) == 0xC0) { length = 2; c = b & 0x1F; }
        else if ((b & 0xF0) == 0xE0) { length = 3; c = b & 0x0F; }
        else if ((b & 0xF8) == 0xF0) { length = 4; c = b & 0x07; }
        else { out += static_cast<wchar_t>(kReplacement); ++i; continue; }
        if (i + length > utf8.size()) { out += static_cast<wchar_t>(kReplacement); break; }
        bool valid = true;
        for (size_t k = 1; k < length; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + k]);
            if ((cont & 0xC0) != 0x80) { valid = false; break; }
            c = (c << 6) | (cont & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || c < kMinimum[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        out += static_cast<wchar_t>(c);
        i += length;
    }
    return out;
}

}  // namespace morvek
