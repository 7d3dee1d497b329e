#pragma once
// CHeadsetPanelUI: the base of the headset's sound panels (voice, voice changer, 7.1). They are
// bound to the headset's sound settings: on a page of another kind they stay unbound and do
// nothing. A change runs on the headset's device queue, so the library calls and the profile
// write never hold up the window; the model then tells the page to show itself again.

#include <functional>

#include "app/panels/DevicePanelUI.h"
#include "devices/headset/TalvorenHS6533Device.h"

namespace morvek::app {

class CHeadsetPanelUI : public CDevicePanelUI {
    Q_OBJECT
public:
    using CDevicePanelUI::CDevicePanelUI;

    CTalvorenHS6533Device* Headset() const { return headset_; }

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override { headset_ = nullptr; }
    // The panel's controls show the headset's values.
    virtual void ShowHeadset(const CTalvorenHS6533Device& headset) = 0;

    // Runs change on the headset's device queue; done, if given, gets its outcome on the
    // window's thread.
    void Change(std::function<HeadsetChange(CTalvorenHS6533Device&)> change,
                std::function<void(HeadsetChange)> done = {});
    // The same for a result of another type.
    template <class Result>
    void ChangeWith(std::function<Result(CTalvorenHS6533Device&)> change, std::function<void(Result)> done) {
        CTalvorenHS6533Device* headset = headset_;
        if (headset == nullptr) return;
        headset->RunOnDevice([headset, change = std::move(change)] { return change(*headset); },
                             std::move(done));
    }

private:
    CTalvorenHS6533Device* headset_ = nullptr;
};

}  // namespace morvek::app
