// CMainWnd: the routing tables of the notifications and the handlers of the window itself.
// The panels add the routes of their own controls (PanelRoutes). Routes without a handler
// belong to feature panels still to come; they are routed here so that every control name of
// the skin has its place.
#include <QAbstractButton>
#include <QApplication>

#include "app/DeviceOptionUI.h"
#include "app/DevicePageUI.h"
#include "app/MainWnd.h"
#include "app/controls/CDeviceKeyButtonUI.h"
#include "app/controls/CSelectPanelUI.h"
#include "app/IndexedName.h"
#include "app/panels/CDeviceProfileUI.h"
#include "app/panels/CKeySetControlUI.h"
#include "app/panels/CKeyboardSystemUI.h"
#include "app/panels/CLightControlUI.h"
#include "app/panels/CMacroControlUI.h"
#include "app/panels/CMagicControlUI.h"
#include "app/panels/CMouseDpiUI.h"
#include "app/panels/CMousePointerUI.h"
#include "app/panels/CShootControlUI.h"
#include "app/panels/CVirtualSetControlUI.h"
#include "app/panels/CVoice6533ControlUI.h"
#include "app/panels/PanelRoutes.h"
#include "devicelink/TalvorenUSBDevice.h"
#include "devices/Capabilities.h"
#include "devices/IKeyAssignment.h"
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
    CLightControlUI::AddRoutes(*panelRoutes_);
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
    r.AddPrefix("click", "key_", "select_key", [this](const TNotifyUI&, int index) { OnKeyClicked(index); });
    r.AddPrefix("click", "windowdeviceset_", "system_device_settings",
                [this](const TNotifyUI&, int index) { desktopSettings_.Open(index); });
    r.AddName("click", "default_btn", "restore_defaults", self(&CMainWnd::RestoreDefaultsOfCurrent));
    r.AddName("click", "device_select_prev", "select_previous_device",
              [this](const TNotifyUI&, int) { deviceList_->SelectNeighbour(-1); });
    r.AddName("click", "device_select_next", "select_next_device",
              [this](const TNotifyUI&, int) { deviceList_->SelectNeighbour(+1); });

    // ---- selectchanged --------------------------------------------------------------------
    r.AddPrefix("selectchanged", "mouse_device_seting_option_", "mouse_setting");
    r.AddName("selectchanged", "synchro_device_select", "synchronised_device",
              [this](const TNotifyUI& msg, int) { OnSynchroBoxChanged(msg); });
    r.AddName("selectchanged", "device_select", "select_device_page",
              [this](const TNotifyUI& msg, int) { OnDeviceSelectChanged(msg); });

    // ---- valuechanged, movevaluechanged ---------------------------------------------------
    r.AddPrefix("movevaluechanged", "velko_DPI_slider_", "mouse_dpi_live");

    // ---- itemselect -----------------------------------------------------------------------

    // ---- killfocus ------------------------------------------------------------------------
    r.AddPrefix("killfocus", "velko_DPI_edit_", "mouse_dpi");

    // ---- the rest -------------------------------------------------------------------------
    r.AddNames("click_select_end", {"device_key_light", "mouse_device_key_light"}, "select_keys",
               [this](const TNotifyUI& msg, int) { OnKeysSelected(msg); });

    // ---- tray menu ------------------------------------------------------------------------
    r.AddName("menu", "exit", "exit", [this](const TNotifyUI&, int) {
        CloseDialogs();
        close();
        QApplication::quit();
    });
    r.AddName("menu", "about_menu", "about_window", self(&CMainWnd::OpenAbout));
    r.AddName("menu", "autostart_menu", "autostart", self(&CMainWnd::ToggleAutostart));
    // From the tray while the window is hidden, the settings window opens centred.
    r.AddName("menu", "setwnd_menu", "settings_window",
              [this](const TNotifyUI&, int) { OpenSettingsWindow(!isVisible() || isMinimized()); });
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
    CTalvorenUSBDevice* device = CurrentDevice();
    if (device == nullptr) return;
    // On the lighting tab of the custom key colours a key is painted; elsewhere it is selected
    // for the key panel.
    CDevicePageUI* page = PageOf(device);
    if (auto* light = page ? page->FindPanel<CLightControlUI>() : nullptr; light != nullptr && light->PaintsKeys()) {
        light->PaintKeys({index});
        return;
    }
    if (auto* keys = page ? page->FindPanel<CKeySetControlUI>() : nullptr) keys->SelectKey(index);
}

void CMainWnd::OnKeysSelected(const TNotifyUI& msg) {
    CDevicePageUI* page = PageOf(CurrentDevice());
    auto* picture = qobject_cast<CSelectPanelUI*>(msg.pSender.data());
    auto* light = page ? page->FindPanel<CLightControlUI>() : nullptr;
    if (picture == nullptr || light == nullptr || !light->PaintsKeys()) return;
    std::vector<int> keys;
    for (CDeviceKeyButtonUI* button : picture->SelectedKeyButtons()) {
        const auto indexed = SplitIndexedName(button->objectName());
        if (!indexed || indexed->index < 0) continue;
        if (indexed->prefix != "key_" && indexed->prefix != "light_") continue;
        if (std::find(keys.begin(), keys.end(), indexed->index) == keys.end()) keys.push_back(indexed->index);
    }
    light->PaintKeys(keys);
}

void CMainWnd::OnSynchroBoxChanged(const TNotifyUI& msg) {
    if (msg.wParam != 0) return;
    for (int i = 0; i < deviceList_->Count(); ++i) {
        CDeviceOptionUI* entry = deviceList_->Entry(i);
        if (entry->SynchroBox() == msg.pSender && entry->Model() != nullptr)
            entry->Model()->CommandChannel().SetSynchronised(false);
    }
    // One device alone is not synchronised with anything: it ends for all.
    int remaining = 0;
    for (CTalvorenUSBDevice* model : AllModels()) remaining += model->CommandChannel().IsSynchronised() ? 1 : 0;
    if (remaining <= 1) {
        for (CTalvorenUSBDevice* model : AllModels()) model->CommandChannel().SetSynchronised(false);
    }
    ShowSynchronisedEntries();
}

void CMainWnd::RestoreDefaultsOfCurrent() {
    CTalvorenUSBDevice* device = CurrentDevice();
    if (device == nullptr || Ask("message_text_22", true, 1) != 1) return;
    device->RestoreDefaults();
    const int width = screenWidth_;
    const int height = screenHeight_;
    IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(*device);
    device->RunOnDevice([device, keys, width, height] {
        if (keys != nullptr) keys->WriteKeyAssignments(0);
        device->WriteSettings(0, 0, 1, width, height);
    });
}

}  // namespace morvek::app
