#pragma once
// The assignments offered by the list pages of the key assignment panel; the row number is the
// item number of the page's list.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "profiles/KeyAssignment.h"

namespace morvek {

// Left, middle, right, forward, back.
std::span<const KeyAssignment, 5> MouseKeyTable();
// DPI up, down, cycle.
std::span<const KeyAssignment, 3> DpiKeyTable();
// Media select, play/pause, stop, previous, next, volume down, volume up, mute, browser home,
// refresh, browser stop, back, forward, favourites, search, my computer, calculator, mail.
std::span<const KeyAssignment, 18> MediaKeyTable();
// Power, sleep, wake up.
std::span<const KeyAssignment, 3> SystemKeyTable();
// Ctrl with O, N, Z, S, C, X, V, F, A, -, =.
std::span<const KeyAssignment, 11> ComboKeyTable();

// The row of table equal to assignment.
std::optional<int> FindFunctionRow(std::span<const KeyAssignment> table, const KeyAssignment& assignment);

}  // namespace morvek
