#pragma once
// The products the update list offers: the rows of the update identities with their current
// versions. Each device row stands for one device kind (its product code names it), the last
// row for the application.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "devicelink/DeviceTables.h"

namespace morvek::update {

// The device kind whose firmware row `row` of the update identities stands for; 0 for the
// application row.
uint16_t UpdateRowKind(size_t row);

// The firmware version of the open device of a kind (the mouse row asks for kind 2, the wireless
// mouse included), 0 when none is open.
using FirmwareOfKind = std::function<int(uint16_t kind)>;

// The identities with their versions: each device row the firmware of its kind, the
// application row the number of applicationVersion ("0.1.0" gives 10) with that text as its
// version text. Rows whose version is 0 are left out.
std::vector<UpdateIdentity> CurrentIdentities(const FirmwareOfKind& firmwareOf, const std::string& applicationVersion);

}  // namespace morvek::update
