#include "devices/DeviceModelFactory.h"

#include <array>

#include "devicelink/DeviceKinds.h"

#include "devices/headset/TalvorenHS6533Device.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/mouse/TalvorenMouseDevice.h"
#include "devices/pad/TalvorenMousePadDevice.h"

namespace morvek {
namespace {

using ModelMaker = std::unique_ptr<CTalvorenUSBDevice> (*)(hid::IHidBackend&, IUiDispatcher&, TaskQueueMode);

template <class Model>
std::unique_ptr<CTalvorenUSBDevice> Make(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode) {
    return std::make_unique<Model>(backend, ui, mode);
}

struct ModelRow {
    uint16_t kind;
    ModelMaker make;
};

constexpr std::array kModelRows = {
    ModelRow{kKindKeyboard, &Make<CTalvorenKeyboardDevice>},
    ModelRow{kKindMouse, &Make<CTalvorenMouseDevice>},
    ModelRow{kKindHeadset, &Make<CTalvorenHS6533Device>},
    ModelRow{kKindMousePad, &Make<CTalvorenMousePadDevice>},
};

}  // namespace

DeviceModelFactory::DeviceModelFactory(hid::IHidBackend& backend, IUiDispatcher& ui, TaskQueueMode mode)
    : backend_(backend), ui_(ui), mode_(mode) {}

std::unique_ptr<CTalvorenUSBDevice> DeviceModelFactory::CreateDeviceModel(const DevicePageTemplate& page) const {
    const uint16_t kind = ListKindOf(page.kind);
    for (const ModelRow& row : kModelRows) {
        if (row.kind == kind) return row.make(backend_, ui_, mode_);
    }
    return nullptr;
}

DeviceModelRegistry::ModelFactory DeviceModelFactory::RegistryFactory() const {
    return [this](const DevicePageTemplate& page) { return CreateDeviceModel(page); };
}

}  // namespace morvek
