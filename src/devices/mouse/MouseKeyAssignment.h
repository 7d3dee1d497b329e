#pragma once
// Which functions a logical button of the mouse can be given: what the mouse's key panel
// produces (every page, the DPI and gun key pages included) and the button's own default.

#include <cstddef>
#include <cstdint>

#include "devices/keys/KeyAssignmentStatus.h"
#include "profiles/KeyAssignment.h"

namespace morvek {

// Whether a logical button whose default function is buttonDefault may be given assignment,
// with macroCount macros in the mouse's list.
KeyAssignmentStatus CheckMouseAssignment(const KeyAssignment& assignment, const KeyAssignment& buttonDefault,
                                    size_t macroCount);

}  // namespace morvek
