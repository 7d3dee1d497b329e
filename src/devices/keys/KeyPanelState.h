#pragma once
// What the key assignment panel shows, as plain values: the page fills it from its controls
// before building an assignment and shows it after the panel functions changed it. Lists hold
// the selected item number (kNoItem: none), edits their text.

#include <optional>
#include <string>

#include "profiles/KeyListEntry.h"

namespace morvek {

// The pages of the panel; each item of the function list carries one as its user data.
enum KeySetPage : int {
    kPageDefault = 0,
    kPageMouseButton = 1,
    kPageSwing = 2,
    kPageWheel = 3,
    kPageDpi = 4,
    kPageRapidFire = 5,
    kPageKeyboard = 6,
    kPageMedia = 7,
    kPageSystem = 8,
    kPageMacro = 9,
    kPageGunKey = 10,
    kPageCombo = 11,
};

// The keyboard's function list hides the DPI and gun key pages.
enum class KeyPanelDevice { Keyboard, Mouse };

inline constexpr int kNoItem = -1;
// Item of the macro repeat list that plays the macro a given number of times.
inline constexpr int kMacroRepeatCountItem = 4;

struct KeyPanelState {
    KeyPanelDevice device = KeyPanelDevice::Keyboard;
    KeyListEntry held;  // the selected key's entry: current and default halves

    bool layoutVisible = false;       // "keyset_layout"
    std::optional<int> functionPage;  // user data of the selected "keyset_function_combo" item
    int tab = kPageDefault;           // page shown by "function_switch_tablayout"

    int mouseKeyItem = kNoItem;
    int swingDirectionItem = kNoItem;  // 1: second direction
    std::string swingCount, swingDelay, swingSpeed;
    int wheelDirectionItem = kNoItem;  // 1: second direction
    std::string wheelCount, wheelDelay, wheelSpeed;
    int dpiItem = kNoItem;
    std::string fireInterval, fireCount;

    int modifierOption = kNoItem;  // "key_ComBox_check_" digit: 0 none, 1 Ctrl, 2 Shift, 3 Alt, 4 Win
    // "keyset_keyboard_text_edit": the panel functions put the key's label id here for the view
    // to translate; building an assignment only asks whether it is empty.
    std::string keyboardKeyLabel;

    int mediaItem = kNoItem;
    int systemItem = kNoItem;
    int comboItem = kNoItem;

    int macroCount = 0;  // items of "keyset_macro_combo"
    int macroItem = kNoItem;
    int macroRepeatItem = kNoItem;
    bool macroCycleVisible = false;  // "keyset_macro_cycle_layout"
    std::string macroCycleCount;

    int gunItem = kNoItem;
};

}  // namespace morvek
