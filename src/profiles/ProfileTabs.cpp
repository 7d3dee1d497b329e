#include "profiles/ProfileTabs.h"

#include "devicelink/DeviceKinds.h"

namespace morvek {
namespace {

constexpr const char* kTabNames[kProfileTabCount] = {"deng_Op_tab",       "key_Op_tab",  "macro_Op_tab",
                                                     "system_Op_tab",     "cursor_Op_tab", "6533_voice_Op_tab",
                                                     "magic_Op_tab",      "Virtual7.1_Op_tab"};

constexpr ProfileTabVisibility kKeyboardTabs[] = {{"cursor_Op_tab", false}};
constexpr ProfileTabVisibility kMouseTabs[] = {{"magic_Op_tab", true, "shoot_tab_text"}};
constexpr ProfileTabVisibility kMousePadTabs[] = {
    {"cursor_Op_tab", false}, {"macro_Op_tab", false}, {"system_Op_tab", false}, {"key_Op_tab", false}};
constexpr ProfileTabVisibility kHeadsetTabs[] = {
    {"cursor_Op_tab", false},    {"macro_Op_tab", false}, {"system_Op_tab", false},    {"key_Op_tab", false},
    {"6533_voice_Op_tab", true}, {"magic_Op_tab", true},  {"Virtual7.1_Op_tab", true}};

}  // namespace

const char* ProfileTabName(int n) { return n >= 1 && n <= kProfileTabCount ? kTabNames[n - 1] : nullptr; }

std::span<const ProfileTabVisibility> ProfileTabVisibilityFor(uint16_t kind) {
    switch (ListKindOf(kind)) {
        case kKindKeyboard: return kKeyboardTabs;
        case kKindMouse: return kMouseTabs;
        case kKindMousePad: return kMousePadTabs;
        case kKindHeadset: return kHeadsetTabs;
        default: return {};
    }
}

}  // namespace morvek
