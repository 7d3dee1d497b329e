#include "update/LanguageFonts.h"

#include <array>

namespace morvek::update {
namespace {

constexpr std::array<FontTableEntry, 13> kFontTable = {{
    {0, 15},
    {1, 14, true},
    {2, 18},
    {3, 30},
    {4, 16},
    {5, 20},
    {6, 22},
    {7, 14},
    {8, 12},
    {9, 11},
    {10, 10},
    {11, 28},
    {50, 18, false, true},
}};

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::span<const FontTableEntry> LanguageFontTable() { return kFontTable; }

const FontTableEntry* FindFontTableEntry(int id) {
    for (const FontTableEntry& entry : kFontTable) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

bool LanguageChangeSetsFont(std::optional<int> previous, int position) {
    if (position == 15 || position == 1 || position == 0 || position == 2) return true;
    return !previous || *previous == 15 || *previous == 2 || *previous == 0;
}

std::string LanguageFontFace(const std::string& languageName) {
    if (StartsWith(languageName, "zh_TW") || StartsWith(languageName, "zh_HK")) return "Noto Sans CJK TC";
    if (StartsWith(languageName, "zh")) return "Noto Sans CJK SC";
    if (StartsWith(languageName, "ja")) return "Noto Sans CJK JP";
    if (StartsWith(languageName, "ko")) return "Noto Sans CJK KR";
    if (StartsWith(languageName, "th")) return "Noto Sans Thai";
    return "DejaVu Sans";
}

}  // namespace morvek::update
