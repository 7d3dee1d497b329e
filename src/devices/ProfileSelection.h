#pragma once
// The sequence that puts a profile on a device after the profile bar chose it (a switch) or
// reset it: the user-interface half loads the document into the model and shows it, the
// device half writes the settings block, the macros and the key table. The window runs the
// second half on the device's queue; the command line runs both at once.

#include "devicelink/TalvorenUSBDevice.h"

namespace morvek {

// User-interface thread: LoadProfile, CheckMacroAssignments of a model with key assignment (when
// checkMacros: a switch, not a reset), ApplyProfileToPage.
void LoadSelectedProfile(CTalvorenUSBDevice& model, bool checkMacros);

// Device thread: WriteSettings (0, 0, 1, screen), then the macro download and the key table of
// a model that has them.
// The macro download's result (kMacroDownloadDone when the kind has none): the window shows
// "message_text_7" for kMacroDownloadFailed and "message_text_16" for a count.
int WriteSelectedProfile(CTalvorenUSBDevice& model, int screenWidth, int screenHeight);

}  // namespace morvek
