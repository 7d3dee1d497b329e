#pragma once
// CDevicePageUI: a device page in "device_switch". It holds the picture and panels the page
// template's layout file builds and is the view of the page's model: light buttons ("light_" n,
// n below the model's light count) show the LED colours of every frame, and so do the mouse's
// second row ("light_0_" n shows LED n) and its logo (the button whose tooltip is "logo"; the
// device table names no LED of its own for it, so it shows LED 0), the function tabs
// follow the model's function type, and power records go to the page's power indicator. Its
// feature panels (CDevicePanelUI) are set up with the model when the window sets the page up,
// and show the model again whenever the model refreshes its view. While the page is not on the
// screen (another page is shown, the window is hidden or minimised) the model hands it no
// frames (SetPictureShown) and a frame already on its way is only kept: nothing is drawn until
// the page shows again.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

#include "devicelink/DeviceModelView.h"

namespace morvek {
class CTalvorenUSBDevice;
}

namespace morvek::app {

class CDeviceKeyButtonUI;
class CSelectPanelUI;
class CDevicePanelUI;
class CMpDevicePowerUI;
class IPanelHost;

class CDevicePageUI final : public QWidget, public IDeviceView {
    Q_OBJECT
public:
    explicit CDevicePageUI(QWidget* parent = nullptr);
    ~CDevicePageUI() override;

    // Takes content (built from the template's layout file) as the page's picture and panels,
    // becomes the model's view and collects the light and key buttons.
    void Bind(CTalvorenUSBDevice* model, QWidget* content, CMpDevicePowerUI* power);
    CTalvorenUSBDevice* Model() const { return model_; }
    // The page set-up: every panel of the page binds to the model (the profile bar first, which
    // gives the model its profile).
    void SetupPanels(IPanelHost& host);
    // Stops being the model's view and forgets it, with its panels (before the model goes away).
    void Unbind();
    // The page's panel of that class, or nullptr.
    template <class Panel>
    Panel* FindPanel() const {
        return findChild<Panel*>();
    }
    QWidget* Content() const { return content_; }
    CMpDevicePowerUI* PowerIndicator() const { return power_; }
    // Light button n, or nullptr.
    CDeviceKeyButtonUI* LightButton(int index) const;
    CDeviceKeyButtonUI* KeyButton(int index) const;
    int LightButtonCount() const { return static_cast<int>(lightButtons_.size()); }

    // The page is shown and its window neither hidden nor minimised.
    bool IsOnScreen() const;

    // IDeviceView
    void Refresh() override;
    void ShowLightPreview(const std::vector<LedPreview>& previews) override;
    void ShowPowerStatus(const PowerIndicatorState& state) override;
    void ShowFunctionTabs(const FunctionTabs& tabs) override;

    // The logo's tooltip on the mouse page: title, "Light_Set", "Overall_Light_Set" and the
    // name of the current effect, translated.
    QString LogoToolTip() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowKeptPreview();
    // Tells the model whether the page is on the screen; shows the kept frame when it is.
    void FollowScreen();
    void ShowLogoToolTip();

    CTalvorenUSBDevice* model_ = nullptr;
    QWidget* content_ = nullptr;
    CMpDevicePowerUI* power_ = nullptr;
    std::vector<CDeviceKeyButtonUI*> lightButtons_;
    // The device pictures the lights are drawn in.
    std::vector<QPointer<CSelectPanelUI>> pictures_;
    // Buttons that show another button's LED: the second row and the logo.
    std::vector<std::pair<CDeviceKeyButtonUI*, size_t>> mirrorButtons_;
    CDeviceKeyButtonUI* logoButton_ = nullptr;
    std::vector<CDeviceKeyButtonUI*> keyButtons_;
    // The latest frame not yet shown.
    std::optional<std::vector<LedPreview>> keptPreview_;
    QPointer<QWidget> watchedWindow_;
};

}  // namespace morvek::app
