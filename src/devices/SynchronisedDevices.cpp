#include "devices/SynchronisedDevices.h"

#include "devices/headset/TalvorenHS6533Device.h"
#include "devices/keyboard/TalvorenKeyboardDevice.h"
#include "devices/mouse/TalvorenMouseDevice.h"
#include "devices/pad/TalvorenMousePadDevice.h"

namespace morvek {
namespace {

MouseLightRecord MouseRecordOf(const LightSettings& light) {
    return {{light.mode, light.brightnessLevel, light.speedLevel, light.direction, light.randomColour, light.colour.c0,
             light.colour.c1, light.colour.c2}};
}

}  // namespace

std::optional<SynchronisedDevice> SynchronisedDeviceOf(CTalvorenUSBDevice& model) {
    if (auto* keyboard = dynamic_cast<CTalvorenKeyboardDevice*>(&model)) {
        return SynchronisedDevice{&model, LightModeFamily::Keyboard, [keyboard] { return keyboard->CurrentLightSettings(); },
                                  [keyboard](const LightSettings& light) { return keyboard->ChangeLightSettings(light); }};
    }
    if (auto* pad = dynamic_cast<CTalvorenMousePadDevice*>(&model)) {
        return SynchronisedDevice{&model, LightModeFamily::Shared, [pad] { return pad->CurrentLight(); },
                                  [pad](const LightSettings& light) { return pad->ChangeLight(light); }};
    }
    if (auto* mouse = dynamic_cast<CTalvorenMouseDevice*>(&model)) {
        return SynchronisedDevice{&model, LightModeFamily::Shared,
                                  [mouse] { return mouse->LightRecord().ToLightSettings(); },
                                  [mouse](const LightSettings& light) {
                                      mouse->CommandChannel().SetSynchronised(false);
                                      return mouse->ApplyLightRecord(MouseRecordOf(light)) == MouseEditStatus::kDone;
                                  }};
    }
    if (auto* headset = dynamic_cast<CTalvorenHS6533Device*>(&model)) {
        return SynchronisedDevice{&model, LightModeFamily::Shared, [headset] { return headset->CurrentLightSettings(); },
                                  [headset](const LightSettings& light) {
                                      headset->CommandChannel().SetSynchronised(false);
                                      const bool saved = headset->ChangeLight(light) == HeadsetChange::Done;
                                      headset->RunOnDevice([headset] { headset->WriteSettings(0, 0, 1, 0, 0); });
                                      return saved;
                                  }};
    }
    return std::nullopt;
}

}  // namespace morvek
