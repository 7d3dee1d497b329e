#include "app/panels/HeadsetPanelUI.h"

#include "devices/Capabilities.h"

namespace morvek::app {

void CHeadsetPanelUI::OnSetup() {
    sound_ = CapabilityOf<ISoundSettings>(*Model());
    OnShowModel();
}

void CHeadsetPanelUI::OnShowModel() {
    if (sound_ != nullptr) ShowSound(*sound_);
}

void CHeadsetPanelUI::Change(std::function<HeadsetChange(ISoundSettings&)> change,
                             std::function<void(HeadsetChange)> done) {
    ChangeWith<HeadsetChange>(std::move(change), [done = std::move(done)](HeadsetChange outcome) {
        if (done) done(outcome);
    });
}

}  // namespace morvek::app
