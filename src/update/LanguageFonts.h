#pragma once
// The fonts of a language change: when the user-interface font is set again, the face a
// language gets, and the window's font table (ids a skin's controls name in "fontid").

#include <optional>
#include <span>
#include <string>

namespace morvek::update {

struct FontTableEntry {
    int id;
    int pixelSize;
    bool underline = false;
    bool bold = false;
};

// The default font's size; the table's ids 0-11 and 50.
inline constexpr int kDefaultFontPixelSize = 12;
std::span<const FontTableEntry> LanguageFontTable();
const FontTableEntry* FindFontTableEntry(int id);

// A change to position (of "Language.config") sets the font face again when position is 15, 1,
// 0 or 2, or when the previous position was 15, 2, 0 or none; otherwise the font stays.
bool LanguageChangeSetsFont(std::optional<int> previous, int position);

// The face for a language name of "Language.config" ("zh_CN", "en_US", ...): one that holds
// the language's script (Chinese in WenQuanYi Micro Hei, the others in DejaVu Sans).
std::string LanguageFontFace(const std::string& languageName);

}  // namespace morvek::update
