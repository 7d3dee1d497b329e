#include "app/DeviceModels.h"

#include <memory>

#include "devices/DeviceModelFactory.h"

namespace morvek::app {

CMainWnd::ModelFactoryMaker DeviceModels(hid::IHidBackend& backend) {
    return [&backend](IUiDispatcher& ui) -> DeviceModelRegistry::ModelFactory {
        // The factory lives as long as the registry function that uses it.
        auto factory = std::make_shared<DeviceModelFactory>(backend, ui);
        return [factory, &backend, &ui](const DevicePageTemplate& page) {
            std::unique_ptr<CTalvorenUSBDevice> model = factory->CreateDeviceModel(page);
            if (!model) model = std::make_unique<CTalvorenUSBDevice>(backend, ui);
            return model;
        };
    };
}

}  // namespace morvek::app
