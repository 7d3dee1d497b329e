#pragma once
// The function tabs of a device page's profile bar, as data for the page: their names by
// number, and which ones the bar hides or shows for a device kind.

#include <cstdint>
#include <span>

namespace morvek {

inline constexpr int kProfileTabCount = 8;

// Tab n: 1 lighting, 2 keys, 3 macros, 4 system, 5 cursor, 6 voice, 7 magic, 8 virtual 7.1;
// nullptr for other numbers.
const char* ProfileTabName(int n);

struct ProfileTabVisibility {
    const char* tabName;
    bool visible;
    const char* textKey = nullptr;  // the tab's text on this kind's page; nullptr: the skin's
};

// The tabs to hide or show for a device kind, in order; kinds not listed change nothing. The
// mouse shows tab 7, the headset's voice changer, as its shooting tab: function type 7 shows
// its shoot panel.
std::span<const ProfileTabVisibility> ProfileTabVisibilityFor(uint16_t kind);

}  // namespace morvek
