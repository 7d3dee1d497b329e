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
    // The faces scripts/setup.sh installs.
    if (StartsWith(languageName, "zh")) return "WenQuanYi Micro Hei";
    return "DejaVu Sans";
}

}  // namespace morvek::update
