#pragma once
// CVirtualSetControlUI: the headset's 7.1 tab: "virtual_surround_option" (virtual surround),
// "virtual_room_option" (the room effect) with "virtual_environment_combo" and
// "virtual_roomsize_slider", usable while the room effect is on.

#include "app/panels/HeadsetPanelUI.h"

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CVirtualSetControlUI final : public CHeadsetPanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\VirtualSet.xml";

    explicit CVirtualSetControlUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

protected:
    void ShowSound(const ISoundSettings& sound) override;

private:
    void OnSurroundChanged(const TNotifyUI& msg, int index);
    void OnRoomChanged(const TNotifyUI& msg, int index);
    void OnEnvironmentChosen(const TNotifyUI& msg, int index);
    void OnRoomSizeChanged(const TNotifyUI& msg, int index);
};

}  // namespace morvek::app
