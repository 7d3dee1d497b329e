#pragma once
// IPanelHost: what a device page's panels ask of the window they live in. The main window
// implements it; tests replace what needs a person (message boxes, file choosers) on the window.

#include <QSize>
#include <QString>

namespace morvek {
class CTalvorenUSBDevice;
}

namespace morvek::app {

class IPanelHost {
public:
    virtual ~IPanelHost() = default;

    // The message window: text is a text key (textIsKey) or a finished text; buttonMode 0 shows
    // "confirm_btn", 1 also "cancel_btn". 1 when the user confirmed.
    virtual int Ask(const QString& text, bool textIsKey, int buttonMode) = 0;
    // The desktop's file chooser for a file to read (open) or to write; empty when cancelled.
    // filter is a name filter such as "Profile Files(*.json)".
    virtual QString ChooseFile(bool open, const QString& filter) = 0;
    // The primary screen's size, as WriteSettings takes it.
    virtual QSize ScreenSize() const = 0;
    // Shows the result of a macro download: "message_text_7" for a failure (a macro list that
    // cannot be read included), "message_text_16" with the count of events too many; nothing
    // for success.
    virtual void ShowMacroDownloadResult(int result) = 0;
    // True while more than one device is shown: "same light for all devices" is offered.
    virtual bool SynchronisationOffered() const = 0;
    // Same light for all devices, from source's current light.
    virtual void ApplySameLight(CTalvorenUSBDevice& source) = 0;
    // While a macro is recorded no other device can be chosen: the device list is locked.
    virtual void LockDeviceChoice(bool locked) = 0;
    // A panel changed a device's light (which ends synchronised lighting for that device).
    virtual void LightChanged() = 0;
};

}  // namespace morvek::app
