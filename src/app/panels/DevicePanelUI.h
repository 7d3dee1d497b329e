#pragma once
// CDevicePanelUI: the base of a device page's feature panels (profile bar, light panel, ...).
// A panel is a control the page's skin names by its class ("CDeviceProfileUI"); it builds its
// own controls from its skin file ("XML\CustomControlXML\DeviceProfile.xml") and, when the page
// is set up, binds to the model of the page through the capability it edits. It copies values
// between its controls and the model and shows the model again whenever the model says so.
//
// The panel's controls send their notifications to the window, whose router hands them to the
// panel of the current page (PanelRoutes): a panel owns the routes of its control names.
// Values shown by the program never come back as notifications (the panel blocks its
// controls' signals while it fills them).

#include <QString>
#include <QWidget>

namespace morvek {
class CTalvorenUSBDevice;
}

namespace morvek::app {

class CDevicePageUI;
class IPanelHost;

class CDevicePanelUI : public QWidget {
    Q_OBJECT
public:
    // Builds the panel's controls from skinName (a resource name); a missing skin leaves the
    // panel empty, and every operation then finds no control and does nothing.
    CDevicePanelUI(const QString& skinName, QWidget* parent);

    // Page set-up: the panel binds to model (which outlives it until Unbind) and host.
    void Setup(CTalvorenUSBDevice& model, IPanelHost& host);
    // The model goes away: the panel forgets it.
    void Unbind();
    // The model's values changed: the controls show them.
    void ShowModel();
    // The page switched to the tabs of a function type (the profile bar's function tabs).
    void ShowFunctionType(int functionType);

    CTalvorenUSBDevice* Model() const { return model_; }
    IPanelHost* Host() const { return host_; }
    // The device page the panel sits on, or nullptr.
    CDevicePageUI* Page() const;

protected:
    // Setup's part of the panel: bind to the capability, fill the controls.
    virtual void OnSetup() = 0;
    virtual void OnShowModel() {}
    virtual void OnUnbind() {}
    virtual void OnFunctionType(int functionType) { (void)functionType; }

    // The panel's control of that name and type, or nullptr.
    template <class Control>
    Control* Find(const QString& name) const {
        return findChild<Control*>(name);
    }

private:
    CTalvorenUSBDevice* model_ = nullptr;
    IPanelHost* host_ = nullptr;
};

}  // namespace morvek::app
