#pragma once
// What storing a key's assignment did, or why it was refused: the one result of the key
// assignment of every kind.

namespace morvek {

enum class KeyAssignmentStatus {
    kDone,
    kNoKey,               // no key the panel may change is selected
    kRefusedType,         // a function type the kind's panel does not offer
    kNoSuchDpiFunction,   // a DPI function other than up (1), down (2) and cycle (3)
    kNoSuchMacro,         // a macro number past the end of the macro list
    kNoSuchRepeatMode,    // a macro repeat mode other than 0-3
    kNoSuchShootPattern,  // a gun key naming a shoot pattern the mouse does not hold (0-3)
};

}  // namespace morvek
