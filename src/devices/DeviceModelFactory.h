#pragma once
// Makes the device model of a page template's kind: the window's registry and the command
// line build their models through it. One row per device kind.

#include <memory>

#include "devicelink/DeviceModelRegistry.h"
#include "devicelink/DeviceTables.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "platform/hid/HidBackend.h"

namespace morvek {

class DeviceModelFactory {
public:
    // The models talk to backend, report to ui and run their transfers in mode.
    DeviceModelFactory(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode = TaskQueueMode::Thread);

    // The model of the template's list kind (a wireless mouse's is a mouse), not yet configured; nullptr for a
    // kind without a model.
    std::unique_ptr<CTalvorenUSBDevice> CreateDeviceModel(const DevicePageTemplate& page) const;
    // CreateDeviceModel as the registry's factory; the factory must outlive it.
    DeviceModelRegistry::ModelFactory RegistryFactory() const;

private:
    hid::IHidBackend& backend_;
    IUiDispatcher& ui_;
    TaskQueueMode mode_;
};

}  // namespace morvek
