#include "profiles/ProfileNames.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

#include "profiles/WideText.h"

namespace morvek {
namespace {

// Case mapping of the whole of Unicode, whatever locale the process runs in.
locale_t CaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    return locale;
}

wchar_t Fold(wchar_t c) {
    const locale_t locale = CaseLocale();
    return static_cast<wchar_t>(locale != locale_t(nullptr) ? towlower_l(static_cast<wint_t>(c), locale)
                                                            : towlower(static_cast<wint_t>(c)));
}

}  // namespace

bool NameHasBlank(std::string_view name) {
    const locale_t locale = CaseLocale();
    const std::wstring wide = WideFromUtf8(name);
    return std::any_of(wide.begin(), wide.end(), [locale](wchar_t c) {
        const auto w = static_cast<wint_t>(c);
        if (locale == locale_t(nullptr)) return iswspace(w) != 0 || iswcntrl(w) != 0;
        return iswspace_l(w, locale) != 0 || iswcntrl_l(w, locale) != 0;
    });
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    const std::wstring wa = WideFromUtf8(a);
    const std::wstring wb = WideFromUtf8(b);
    return std::equal(wa.begin(), wa.end(), wb.begin(), wb.end(),
                      [](wchar_t x, wchar_t y) { return Fold(x) == Fold(y); });
}

bool NameTaken(const std::vector<std::string>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SameNameIgnoringCase(n, name); });
}

std::string NewProfileName(const std::vector<std::string>& names) {
    for (int n = 1;; ++n) {
        std::string name = "profile" + std::to_string(n);
        if (!NameTaken(names, name)) return name;
    }
}

std::string CopyProfileName(const std::string& source, const std::vector<std::string>& names) {
    std::string name = source + " copy";
    while (NameTaken(names, name)) name += " copy";
    return name;
}

std::string ImportProfileName(const std::string& base, const std::vector<std::string>& names) {
    std::string name = base;
    for (int k = 1; NameTaken(names, name); ++k) name += "(" + std::to_string(k) + ")";
    return name;
}

}  // namespace morvek
