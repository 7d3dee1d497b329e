#pragma once
// CMagicControlUI: the headset's voice changer: "magic_enable_option" switches it on or off,
// "magic_option_" 1-4 (in "magic_option_layout") choose the voice. A headset whose library
// reports no voice changer shows the panel disabled.

#include "app/panels/HeadsetPanelUI.h"

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CMagicControlUI final : public CHeadsetPanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\MagicControl.xml";

    explicit CMagicControlUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

protected:
    void ShowSound(const ISoundSettings& sound) override;

private:
    void OnEnableChanged(const TNotifyUI& msg, int index);
    void OnVoiceChosen(const TNotifyUI& msg, int index);
};

}  // namespace morvek::app
