#pragma once
// Conversion between the wide text of the user interface and the UTF-8 text of files.
// Invalid sequences become U+FFFD instead of failing.

#include <string>
#include <string_view>

namespace morvek {

std::string Utf8FromWide(std::wstring_view wide);
std::wstring WideFromUtf8(std::string_view utf8);

}  // namespace morvek
