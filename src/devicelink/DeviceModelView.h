#pragma once
// IDeviceView: what a device model asks of the page that shows it. The model tells its view to
// show itself; the view reads what it shows from the model and never holds state the model
// needs. Every call arrives on the user-interface thread (the model posts it through its
// IUiDispatcher), so a view never sees a device thread. All calls have empty defaults: a view
// implements what it shows, the command line has no view at all.

#include <string>
#include <vector>

#include "devicelink/FunctionTabs.h"
#include "devicelink/LightFrame.h"
#include "devicelink/PowerStatus.h"

namespace morvek {

class IDeviceView {
public:
    virtual ~IDeviceView() = default;

    // The model's values changed: every control shows the model's current values again
    // (RefreshPage, ApplyProfileToPage).
    virtual void Refresh() {}
    // A light frame was built: one preview per LED, for the light buttons that are shown
    // (SendLedFrame step 2).
    virtual void ShowLightPreview(const std::vector<LedPreview>& previews) { (void)previews; }
    // A power status record was read (ReadPowerStatus): what the power indicator shows.
    virtual void ShowPowerStatus(const PowerIndicatorState& state) { (void)state; }
    // A message for the user in the library's or the model's own words (shown in the message window).
    virtual void ShowMessage(const std::string& text) { (void)text; }
    // The function type changed (SetFunctionType): the tabs the page selects.
    virtual void ShowFunctionTabs(const FunctionTabs& tabs) { (void)tabs; }
};

}  // namespace morvek
