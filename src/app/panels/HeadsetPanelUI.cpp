#include "app/panels/HeadsetPanelUI.h"

namespace morvek::app {

void CHeadsetPanelUI::OnSetup() {
    headset_ = dynamic_cast<CTalvorenHS6533Device*>(Model());
    OnShowModel();
}

void CHeadsetPanelUI::OnShowModel() {
    if (headset_ != nullptr) ShowHeadset(*headset_);
}

void CHeadsetPanelUI::Change(std::function<HeadsetChange(CTalvorenHS6533Device&)> change,
                             std::function<void(HeadsetChange)> done) {
    ChangeWith<HeadsetChange>(std::move(change), [done = std::move(done)](HeadsetChange outcome) {
        if (done) done(outcome);
    });
}

}  // namespace morvek::app
