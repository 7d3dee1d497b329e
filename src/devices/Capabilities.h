#pragma once
// Asking a device model for a capability: the interface when the model's kind has it, else
// nullptr. Panels, the command line and the synchronised lighting bind to the capability, not
// to the kind.

#include "devicelink/TalvorenUSBDevice.h"

namespace morvek {

template <class Capability>
Capability* CapabilityOf(CTalvorenUSBDevice& model) {
    return dynamic_cast<Capability*>(&model);
}

template <class Capability>
const Capability* CapabilityOf(const CTalvorenUSBDevice& model) {
    return dynamic_cast<const Capability*>(&model);
}

}  // namespace morvek
