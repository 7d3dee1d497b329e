#pragma once
// The device models as synchronised lighting sees them: each kind's light as its own panel
// reads and changes it.

#include <optional>

#include "devicelink/TalvorenUSBDevice.h"
#include "devices/lighting/SynchronisedLighting.h"

namespace morvek {

// The model's side of synchronised lighting; none for a model without lights of its own.
std::optional<SynchronisedDevice> SynchronisedDeviceOf(CTalvorenUSBDevice& model);

}  // namespace morvek
