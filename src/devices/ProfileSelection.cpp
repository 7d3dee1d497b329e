#include "devices/ProfileSelection.h"

#include "macros/MacroDownload.h"

namespace morvek {

ProfileWriteSteps ProfileWriteStepsOf(const CTalvorenUSBDevice& model) {
    const uint16_t kind = model.Kind();
    const bool keysAndMacros = kind == kKindKeyboard || kind == kKindMouse || kind == kKindWirelessMouse;
    return {keysAndMacros, keysAndMacros};
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
