#pragma once
// CVoice6533ControlUI: the headset's voice panel. The thirteen equaliser options
// ("6533_eq_option_" 1-12 the presets, 13 the user equaliser), the ten band sliders
// ("6533_eq_hz_slider_" 0-9), the user equalisers ("custom_eq_option_layout": the list
// "custom_eq_name_combo", the name "custom_eq_name_edit", "hs_EQ_btn_save" and
// "hs_EQ_btn_delete"; at most 20, names unique ignoring case), and the microphone and monitor
// switches and levels. Each change goes through the headset model to the audio library and the
// profile. A name in use is refused with "message_text_5".

#include "app/panels/HeadsetPanelUI.h"

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CVoice6533ControlUI final : public CHeadsetPanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\Voice6533Control.xml";

    explicit CVoice6533ControlUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

protected:
    void ShowSound(const ISoundSettings& sound) override;

private:
    void OnEqOption(const TNotifyUI& msg, int index);
    void OnBandMoved(const TNotifyUI& msg, int index);
    void OnUserEqChosen(const TNotifyUI& msg, int index);
    void OnSaveClicked(const TNotifyUI& msg, int index);
    void OnDeleteClicked(const TNotifyUI& msg, int index);
    void OnMicrophoneSwitch(const TNotifyUI& msg, int index);
    void OnMicrophoneLevel(const TNotifyUI& msg, int index);
    void OnMonitorSwitch(const TNotifyUI& msg, int index);
    void OnMonitorLevel(const TNotifyUI& msg, int index);
};

}  // namespace morvek::app
