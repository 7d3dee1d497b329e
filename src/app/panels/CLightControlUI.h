#pragma once
// CLightControlUI: the light panel of every device page. It shows the device's light (mode,
// brightness and speed levels, direction, random colours, colour) with the controls its mode
// uses, and hands every change to the device's light as its own panel change: the light is
// stored, saved and shown at once and written on the device's queue. On the keyboard it also
// offers the custom key colours of mode 38: the colour set ("light_combo_custommodeSelect"),
// painting keys with a click or a rubber band on the picture, and lighting or darkening every
// key. "deng_same_mode" gives every shown device the same light.
//
// Routes: "light_combo_modeSelect", "light_combo_custommodeSelect", the two sliders, the
// direction options and "deng_7color_check", the colour edits, the palette, the colour
// options, the custom colour buttons and "deng_same_mode".

#include <QColor>
#include <QString>

#include <optional>
#include <vector>

#include "app/panels/DevicePanelUI.h"
#include "devicelink/LightSettings.h"
#include "devices/ILighting.h"
#include "devices/lighting/LightPanelView.h"

namespace morvek {
class CTalvorenKeyboardDevice;
}

namespace morvek::app {

class PanelRoutes;
struct TNotifyUI;

class CLightControlUI final : public CDevicePanelUI {
    Q_OBJECT
public:
    static constexpr const char* kSkinName = "XML\\CustomControlXML\\LightControl.xml";

    explicit CLightControlUI(QWidget* parent = nullptr);

    static void AddRoutes(PanelRoutes& routes);

    // True while a click on a key paints it: the keyboard in its custom key colour mode with
    // the lighting tab shown.
    bool PaintsKeys() const;
    // Paints the keys with the panel's colour (custom key colours), saved and written.
    void PaintKeys(const std::vector<int>& keyIndexes);

    // What the panel shows now (read back by tests and the window's key routing).
    LightPanelView View() const { return view_; }

protected:
    void OnSetup() override;
    void OnShowModel() override;
    void OnUnbind() override;

private:
    // Route members.
    void OnModeChosen(const TNotifyUI& msg, int index);
    void OnCustomGroupChosen(const TNotifyUI& msg, int index);
    void OnLevelChanged(const TNotifyUI& msg, int index);
    void OnDirectionChosen(const TNotifyUI& msg, int index);
    void OnRandomColourChanged(const TNotifyUI& msg, int index);
    void OnColourEdited(const TNotifyUI& msg, int index);
    void OnPaletteColour(const TNotifyUI& msg, int index);
    void OnColourOption(const TNotifyUI& msg, int index);
    void OnCustomFill(const TNotifyUI& msg, int index);
    void OnSameLight(const TNotifyUI& msg, int index);

    LightSettings CurrentLight() const;
    // The panel change: stored, saved, shown, written.
    void Change(const LightSettings& light);
    void ChangeColour(LedColour colour);
    void FillModes();
    void FillCustomGroups();
    void ShowLayout(const LightPanelLayout& layout);
    void ShowColour(LedColour colour);
    void SetEnabled(const char* name, bool enabled);
    void SetShown(const char* name, bool shown);

    ILighting* light_ = nullptr;
    CTalvorenKeyboardDevice* keyboard_ = nullptr;  // the custom key colours; null on other kinds
    LightPanelKind kind_ = LightPanelKind::MousePad;
    LightPanelView view_;
};

}  // namespace morvek::app
