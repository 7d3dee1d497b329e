#pragma once
// Which functions a logical button of the mouse can be given: what the mouse's key panel
// produces (every page, the DPI and gun key pages included) and the button's own default.

#include <cstddef>
#include <cstdint>

#include "profiles/KeyAssignment.h"

namespace morvek {

// What storing a button's assignment did, or why it was refused.
enum class MouseKeyStatus {
    kDone,
    kNoButton,            // no logical button 0-9 of the key list is selected
    kRefusedType,         // a function type the mouse's panel does not offer
    kNoSuchDpiFunction,   // a DPI function other than up (1), down (2) and cycle (3)
    kNoSuchMacro,         // a macro number past the end of the macro list
    kNoSuchRepeatMode,    // a macro repeat mode other than 0-3
    kNoSuchShootPattern,  // a gun key naming a shoot pattern the mouse does not hold (0-3)
};

// Whether a logical button whose default function is buttonDefault may be given assignment,
// with macroCount macros in the mouse's list.
MouseKeyStatus CheckMouseAssignment(const KeyAssignment& assignment, const KeyAssignment& buttonDefault,
                                    size_t macroCount);

}  // namespace morvek
