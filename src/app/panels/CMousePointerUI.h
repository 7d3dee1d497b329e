#pragma once
// CMousePointerUI: the mouse's pointer tab: pointer speed and precision, double-click time and
// scrolling (lines per notch, or a page at a time). The values are kept in the mouse's profile
// only; nothing is sent to the mouse and no setting of the desktop is changed ("windowdeviceset_0"
// opens the desktop's own mouse settings for that).
//
// Routes: "pointer_speed_slider", "double_click_slider", "scroll_speed_slider",
// "pointer_precision_check", "scrolls_page_check".

#include "app/panels/DevicePanelUI.h"

namespace morvek {
class IDpiStages;
}

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CMousePointerUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\MousePointer.xml";

    explicit CMousePointerUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override;

private:
    void OnSliderChanged(const TNotifyUI& msg, int index);
    void OnCheckChanged(const TNotifyUI& msg, int index);

    IDpiStages* dpi_ = nullptr;
};

}  // namespace morvek::app
