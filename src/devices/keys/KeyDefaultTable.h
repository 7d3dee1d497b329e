#pragma once
// The factory function of every key of the matrix, by KeyIndex. The keyboard keeps the same
// values in its own slot order; finding them there tells which slot holds which key.

#include <array>

#include "devices/keys/KeyIndex.h"
#include "profiles/KeyAssignment.h"

namespace morvek {

const std::array<KeyAssignment, kKeyCount>& DefaultKeyTable();

}  // namespace morvek
