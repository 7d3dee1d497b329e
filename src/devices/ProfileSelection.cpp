#include "devices/ProfileSelection.h"

#include "devicelink/DeviceKinds.h"
#include "macros/MacroDownload.h"

namespace morvek {

ProfileWriteSteps ProfileWriteStepsOf(const CTalvorenUSBDevice& model) {
    const DeviceKindRow* row = FindDeviceKind(model.Kind());
    if (row == nullptr) return {};
    return {row->hasMacros, row->hasKeyTable};
}

void LoadSelectedProfile(CTalvorenUSBDevice& model, bool checkMacros) {
    model.LoadProfile();
    if (checkMacros) model.CheckMacroAssignments();
    model.ApplyProfileToPage();
}

int WriteSelectedProfile(CTalvorenUSBDevice& model, int screenWidth, int screenHeight) {
    const ProfileWriteSteps steps = ProfileWriteStepsOf(model);
    model.WriteSettings(0, 0, 1, screenWidth, screenHeight);
    const int macros = steps.macros ? model.DownloadMacros() : kMacroDownloadDone;
    if (steps.keyTable) model.WriteKeyAssignments(0);
    return macros;
}

}  // namespace morvek
