#include "devices/ProfileSelection.h"

#include "devices/Capabilities.h"
#include "devices/IKeyAssignment.h"
#include "devices/IMacroDownload.h"
#include "macros/MacroDownload.h"

namespace morvek {

void LoadSelectedProfile(CTalvorenUSBDevice& model, bool checkMacros) {
    model.LoadProfile();
    if (IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(model); keys != nullptr && checkMacros)
        keys->CheckMacroAssignments();
    model.ApplyProfileToPage();
}

int WriteSelectedProfile(CTalvorenUSBDevice& model, int screenWidth, int screenHeight) {
    model.WriteSettings(0, 0, 1, screenWidth, screenHeight);
    IMacroDownload* macros = CapabilityOf<IMacroDownload>(model);
    const int downloaded = macros != nullptr ? macros->DownloadMacros() : kMacroDownloadDone;
    if (IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(model)) keys->WriteKeyAssignments(0);
    return downloaded;
}

}  // namespace morvek
