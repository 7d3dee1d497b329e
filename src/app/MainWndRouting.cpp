// CMainWnd: the routing tables of the notifications and the handlers of the window itself.
// The panels add the routes of their own controls (PanelRoutes). Routes without a handler
// belong to feature panels still to come; they are routed here so that every control name of
// the skin has its place.
#include <QAbstractButton>
#include <QApplication>

#include "app/DevicePageUI.h"
#include "app/MainWnd.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/CKeySetControlUI.h"
#include "app/panels/CKeyboardSystemUI.h"
#include "app/panels/CMacroControlUI.h"
#include "app/panels/CMouseDpiUI.h"
#include "app/panels/CMousePointerUI.h"
#include "app/panels/CShootControlUI.h"
#include "app/panels/PanelRoutes.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "platform/Trace.h"

namespace morvek::app {

void CMainWnd::BuildRoutes() {
    CNotifyRouter& r = router_;
    const auto self = [this](void (CMainWnd::*handler)()) {
        return [this, handler](const TNotifyUI&, int) { (this->*handler)(); };
    };
    panelRoutes_ = std::make_unique<PanelRoutes>(r, [this] { return CurrentPage(); });
    CDeviceProfileUI::AddRoutes(*panelRoutes_);
    CKeySetControlUI::AddRoutes(*panelRoutes_);
    CKeyboardSystemUI::AddRoutes(*panelRoutes_);
    CMouseDpiUI::AddRoutes(*panelRoutes_);
    CMousePointerUI::AddRoutes(*panelRoutes_);
    CMacroControlUI::AddRoutes(*panelRoutes_);
    CShootControlUI::AddRoutes(*panelRoutes_);

    // ---- click, in the order of the tests -------------------------------------------------
    r.AddName("click", "closebtn", "hide_to_tray", self(&CMainWnd::HideToTray));
    r.AddName("click", "nodevice_ok_btn", "hide", [this](const TNotifyUI&, int) { hide(); });
    r.AddName("click", "minbtn", "minimize", [this](const TNotifyUI&, int) { showMinimized(); });
    r.AddName("click", "maxbtn", "maximize", [this](const TNotifyUI&, int) { showMaximized(); });
    r.AddName("click", "restorebtn", "restore", [this](const TNotifyUI&, int) { showNormal(); });
    r.AddName("click", "skinbtn", "skin_picker", self(&CMainWnd::OpenSkinPicker));
    r.AddName("click", "setbtn", "settings_window");
    r.AddName("click", "control_light_status", "toggle_light_control", self(&CMainWnd::ToggleHostLightControl));
    r.AddPrefix("click", "key_", "select_key", [this](const TNotifyUI&, int index) { OnKeyClicked(index); });
    r.AddPrefix("click", "color_option_", "light_colour_option");
    r.AddPrefix("click", "windowdeviceset_", "system_device_settings",
                [this](const TNotifyUI&, int index) { desktopSettings_.Open(index); });
    r.AddName("click", "default_btn", "restore_defaults", self(&CMainWnd::RestoreDefaultsOfCurrent));
    r.AddNames("click", {"custom_bright_color_btn", "custom_off_color_btn"}, "custom_light_colour");
    r.AddName("click", "deng_same_mode", "synchronised_lighting");
    r.AddNames("click", {"hs_EQ_btn_save", "hs_EQ_btn_delete"}, "headset_equaliser");
    r.AddName("click", "device_select_prev", "select_previous_device",
              [this](const TNotifyUI&, int) { deviceList_->SelectNeighbour(-1); });
    r.AddName("click", "device_select_next", "select_next_device",
              [this](const TNotifyUI&, int) { deviceList_->SelectNeighbour(+1); });

    // ---- selectchanged --------------------------------------------------------------------
    r.AddPrefix("selectchanged", "mouse_device_seting_option_", "mouse_setting");
    for (const char* prefix : {"magic_option_", "6533_eq_option_"})
        r.AddPrefix("selectchanged", prefix, "headset_setting");
    r.AddName("selectchanged", "synchro_device_select", "synchronised_device");
    r.AddName("selectchanged", "device_select", "select_device_page",
              [this](const TNotifyUI& msg, int) { OnDeviceSelectChanged(msg); });
    r.AddNames("selectchanged",
               {"deng_FXL_check", "deng_FXR_check", "deng_FXUP_check", "deng_FXDOWN_check", "deng_FXIN_check",
                "deng_FXOUT_check", "deng_7color_check"},
               "light_direction_colour");
    r.AddNames("selectchanged", {"magic_enable_option", "6533_MicIn_option", "6533_MicMoniter_option"},
               "headset_setting");

    // ---- valuechanged, movevaluechanged ---------------------------------------------------
    r.AddPrefix("valuechanged", "6533_eq_hz_slider_", "headset_setting");
    r.AddNames("valuechanged", {"6533_MicIn_slider", "6533_MicMoniter_slider"}, "headset_setting");
    r.AddNames("valuechanged", {"deng_light_slider", "deng_speed_slider"}, "light_level");
    r.AddPrefix("movevaluechanged", "velko_DPI_slider_", "mouse_dpi_live");

    // ---- itemselect -----------------------------------------------------------------------
    r.AddNames("itemselect", {"light_combo_modeSelect", "light_combo_custommodeSelect"}, "light_mode");
    r.AddName("itemselect", "custom_eq_name_combo", "headset_equaliser");

    // ---- killfocus ------------------------------------------------------------------------
    r.AddPrefix("killfocus", "velko_DPI_edit_", "mouse_dpi");
    r.AddNames("killfocus", {"deng_edit_R", "deng_edit_G", "deng_edit_B"}, "light_colour_edit");

    // ---- the rest -------------------------------------------------------------------------
    r.AddNames("click_select_end", {"device_key_light", "mouse_device_key_light"}, "select_keys");
    r.AddName("colorchanged", "deng_Color_Pallet", "light_colour_pick");

    // ---- tray menu ------------------------------------------------------------------------
    r.AddName("menu", "exit", "exit", [this](const TNotifyUI&, int) {
        CloseDialogs();
        close();
        QApplication::quit();
    });
    r.AddName("menu", "about_menu", "about_window", self(&CMainWnd::OpenAbout));
    r.AddName("menu", "setwnd_menu", "settings_window");
}

std::optional<RouteTaken> CMainWnd::Notify(const TNotifyUI& msg) {
    if (msg.sType != "timer") Trace("Notify " + msg.sType.toStdString() + " " + msg.sName.toStdString());
    if (msg.sType == "windowinit") {
        OnWindowInit();
        return RouteTaken{"window_init", -1};
    }
    return router_.Dispatch(msg);
}

std::optional<RouteTaken> CMainWnd::FindRoute(const QString& type, const QString& name) const {
    return router_.Find(type, name);
}

void CMainWnd::ToggleHostLightControl() {
    hostLightControl_ = !hostLightControl_;
    emit LightControlAnnounced(1, hostLightControl_ ? 1 : 0);
    ShowLightControlState();
    SetHostLightControlOfAll(hostLightControl_);
}

void CMainWnd::OnDeviceSelectChanged(const TNotifyUI& msg) {
    if (msg.wParam == 0) return;
    const int index = deviceList_->IndexOfButton(msg.pSender);
    if (index >= 0) deviceList_->ShowDeviceEntry(index, true, true);
}

QWidget* CMainWnd::CurrentPage() const { return PageOf(CurrentDevice()); }

void CMainWnd::OnKeyClicked(int index) {
    CDevicePageUI* page = PageOf(CurrentDevice());
    if (auto* keys = page ? page->FindPanel<CKeySetControlUI>() : nullptr) keys->SelectKey(index);
}

void CMainWnd::RestoreDefaultsOfCurrent() {
    CTalvorenUSBDevice* device = CurrentDevice();
    if (device == nullptr || Ask("message_text_22", true, 1) != 1) return;
    device->RestoreDefaults();
    const int width = screenWidth_;
    const int height = screenHeight_;
    device->RunOnDevice([device, width, height] {
        device->WriteKeyAssignments(0);
        device->WriteSettings(0, 0, 1, width, height);
    });
}

}  // namespace morvek::app
