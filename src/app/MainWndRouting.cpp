// CMainWnd: the routing tables of the notifications and the handlers of the window itself.
// The panels add the routes of their own controls (PanelRoutes). Routes without a handler
// belong to feature panels still to come; they are routed here so that every control name of
// the skin has its place.
#include <QAbstractButton>
#include <QApplication>

#include "app/DevicePageUI.h"
#include "app/MainWnd.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/CMagicControlUI.h"
#include "app/panels/CVirtualSetControlUI.h"
#include "app/panels/CVoice6533ControlUI.h"
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
    CVoice6533ControlUI::AddRoutes(*panelRoutes_);
    CMagicControlUI::AddRoutes(*panelRoutes_);
    CVirtualSetControlUI::AddRoutes(*panelRoutes_);

    // ---- click, in the order of the tests -------------------------------------------------
    r.AddName("click", "closebtn", "hide_to_tray", self(&CMainWnd::HideToTray));
    r.AddName("click", "nodevice_ok_btn", "hide", [this](const TNotifyUI&, int) { hide(); });
    r.AddName("click", "minbtn", "minimize", [this](const TNotifyUI&, int) { showMinimized(); });
    r.AddName("click", "maxbtn", "maximize", [this](const TNotifyUI&, int) { showMaximized(); });
    r.AddName("click", "restorebtn", "restore", [this](const TNotifyUI&, int) { showNormal(); });
    r.AddName("click", "skinbtn", "skin_picker", self(&CMainWnd::OpenSkinPicker));
    r.AddName("click", "setbtn", "settings_window", [this](const TNotifyUI&, int) { OpenSettingsWindow(false); });
    r.AddName("click", "control_light_status", "toggle_light_control", self(&CMainWnd::ToggleHostLightControl));
    r.AddPrefix("click", "key_", "select_key", [this](const TNotifyUI&, int index) {
        if (CTalvorenUSBDevice* device = CurrentDevice()) device->SelectKey(index);
    });
    r.AddPrefix("click", "color_option_", "light_colour_option");
    r.AddPrefix("click", "windowdeviceset_", "system_device_settings");
    r.AddName("click", "default_btn", "restore_defaults", self(&CMainWnd::RestoreDefaultsOfCurrent));
    r.AddName("click", "reset_repeat_btn", "keyboard_repeat_reset");
    r.AddNames("click", {"key_butt_keysave", "key_butt_keydefalut", "key_butt_keycancel", "key_butt_prosave"},
               "key_assignment");
    r.AddNames("click", {"macro_btn_starredio", "macro_btn_stopredio"}, "macro_recording");
    r.AddNames("click",
               {"macro_btn_name_add", "macro_btn_name_sub", "macro_btn_name_edit", "macro_btn_save",
                "macro_btn_cancel", "macro_btn_export", "macro_btn_import"},
               "macro_list");
    r.AddNames("click",
               {"macro_btn_up", "macro_btn_down", "macro_btn_uptop", "macro_btn_downbottom", "macro_btn_delete",
                "macro_btn_deleteall"},
               "macro_event_edit");
    r.AddNames("click",
               {"macro_inset_moveleftkey_btn", "macro_inset_moverightkey_btn", "macro_inset_moveupkey_btn",
                "macro_inset_movedownkey_btn"},
               "macro_insert_move");
    r.AddNames("click",
               {"shootdate_save_btn", "shootdate_reset_btn", "shootdate_import_btn", "shootdate_export_btn",
                "bullet_selected_prev", "bullet_selected_next"},
               "shoot_editor");
    r.AddNames("click", {"custom_bright_color_btn", "custom_off_color_btn"}, "custom_light_colour");
    r.AddName("click", "deng_same_mode", "synchronised_lighting");
    r.AddName("click", "device_select_prev", "select_previous_device",
              [this](const TNotifyUI&, int) { deviceList_->SelectNeighbour(-1); });
    r.AddName("click", "device_select_next", "select_next_device",
              [this](const TNotifyUI&, int) { deviceList_->SelectNeighbour(+1); });

    // ---- selectchanged --------------------------------------------------------------------
    for (const char* prefix : {"DPI_enable_check_", "polling_rate_option_", "mouse_device_seting_option_"})
        r.AddPrefix("selectchanged", prefix, "mouse_setting");
    for (const char* prefix : {"repeat_delay_check_", "key_ComBox_check_"})
        r.AddPrefix("selectchanged", prefix, "keyboard_system_setting");
    for (const char* prefix : {"shoot_gun_op_", "bullet_op_"}) r.AddPrefix("selectchanged", prefix, "shoot_editor");
    r.AddNames("selectchanged", {"pointer_precision_check", "scrolls_page_check"}, "mouse_setting");
    r.AddNames("selectchanged", {"winlockflag_option", "wflag_option", "6flag_option"}, "keyboard_system_setting");
    r.AddName("selectchanged", "synchro_device_select", "synchronised_device");
    r.AddName("selectchanged", "device_select", "select_device_page",
              [this](const TNotifyUI& msg, int) { OnDeviceSelectChanged(msg); });
    r.AddNames("selectchanged",
               {"deng_FXL_check", "deng_FXR_check", "deng_FXUP_check", "deng_FXDOWN_check", "deng_FXIN_check",
                "deng_FXOUT_check", "deng_7color_check"},
               "light_direction_colour");
    r.AddNames("selectchanged", {"bullet_x_check", "bullet_y_check"}, "shoot_editor");

    // ---- valuechanged, movevaluechanged ---------------------------------------------------
    r.AddPrefix("valuechanged", "DPI_slider_", "mouse_dpi");
    r.AddNames("valuechanged", {"pointer_speed_slider", "scroll_speed_slider", "double_click_slider"}, "mouse_setting");
    r.AddName("valuechanged", "repeat_rate_slider", "keyboard_system_setting");
    r.AddNames("valuechanged", {"deng_light_slider", "deng_speed_slider"}, "light_level");
    r.AddPrefix("movevaluechanged", "velko_DPI_slider_", "mouse_dpi_live");
    r.AddPrefix("movevaluechanged", "DPI_slider_", "mouse_dpi_live");

    // ---- itemselect -----------------------------------------------------------------------
    r.AddNames("itemselect", {"light_combo_modeSelect", "light_combo_custommodeSelect"}, "light_mode");
    r.AddNames("itemselect",
               {"keyset_function_combo", "keyset_macro_over_combo", "keyset_mousekey_combo", "keyset_mouseswing_combo",
                "keyset_mousewheel_combo", "keyset_mousedpi_combo", "keyset_media_combo", "keyset_system_combo",
                "keyset_macro_combo", "keyset_gunkey_combo", "keyset_combokey_combo"},
               "key_assignment");
    r.AddName("itemselect", "macro_name_list", "macro_list");

    // ---- killfocus ------------------------------------------------------------------------
    r.AddPrefix("killfocus", "velko_DPI_edit_", "mouse_dpi");
    r.AddPrefix("killfocus", "DPI_edit_", "mouse_dpi");
    r.AddNames("killfocus", {"deng_edit_R", "deng_edit_G", "deng_edit_B"}, "light_colour_edit");
    r.AddNames("killfocus",
               {"keyset_keyboard_text_edit", "keyset_mouseswing_num_edit", "keyset_mouseswing_delay_edit",
                "keyset_mouseswing_speed_edit", "keyset_mousewheel_num_edit", "keyset_mousewheel_delay_edit",
                "keyset_mousewheel_speed_edit", "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit",
                "keyset_macro_cycle_edit"},
               "key_assignment");
    r.AddNames("killfocus", {"bullet_x_eidt", "bullet_y_eidt", "bullet_delay_eidt"}, "shoot_editor");
    r.AddName("killfocus", "macro_delay", "macro_event_edit");

    // ---- the rest -------------------------------------------------------------------------
    r.AddNames("click_select_end", {"device_key_light", "mouse_device_key_light"}, "select_keys");
    r.AddName("colorchanged", "deng_Color_Pallet", "light_colour_pick");
    r.AddName("itemactivate", "macro_action", "macro_action_menu");
    r.AddName("setfocus", "keyset_keyboard_text_edit", "key_capture");

    // ---- tray menu ------------------------------------------------------------------------
    r.AddName("menu", "exit", "exit", [this](const TNotifyUI&, int) {
        CloseDialogs();
        close();
        QApplication::quit();
    });
    r.AddName("menu", "about_menu", "about_window", self(&CMainWnd::OpenAbout));
    // From the tray while the window is hidden, the settings window opens centred.
    r.AddName("menu", "setwnd_menu", "settings_window",
              [this](const TNotifyUI&, int) { OpenSettingsWindow(!isVisible() || isMinimized()); });
    r.AddNames("menu",
               {"redio_previous_record_time", "redio_previous_constant_time", "redio_previous_ignore_time",
                "redio_later_record_time", "redio_later_constant_time", "redio_later_ignore_time"},
               "macro_record_time_mode");
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
