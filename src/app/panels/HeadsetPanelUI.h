#pragma once
// CHeadsetPanelUI: the base of the headset's sound panels (voice, voice changer, 7.1). They are
// bound to the model's sound settings (ISoundSettings): on a page of a kind without them they
// stay unbound and do nothing. A change runs on the device's queue, so the library calls and the
// profile write never hold up the window; the model then tells the page to show itself again.

#include <functional>

#include "app/panels/DevicePanelUI.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/ISoundSettings.h"

namespace morvek::app {

class CHeadsetPanelUI : public CDevicePanelUI {
    Q_OBJECT
public:
    using CDevicePanelUI::CDevicePanelUI;

    ISoundSettings* Sound() const { return sound_; }

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override { sound_ = nullptr; }
    // The panel's controls show the sound settings.
    virtual void ShowSound(const ISoundSettings& sound) = 0;

    // Runs change on the device's queue; done, if given, gets its outcome on the window's thread.
    void Change(std::function<HeadsetChange(ISoundSettings&)> change, std::function<void(HeadsetChange)> done = {});
    // The same for a result of another type.
    template <class Result>
    void ChangeWith(std::function<Result(ISoundSettings&)> change, std::function<void(Result)> done) {
        ISoundSettings* sound = sound_;
        if (sound == nullptr) return;
        Model()->RunOnDevice([sound, change = std::move(change)] { return change(*sound); }, std::move(done));
    }

private:
    ISoundSettings* sound_ = nullptr;
};

}  // namespace morvek::app
