#pragma once
// "Save to the device" of the key assignment panel: the macros go down first (a key may play
// one), then the key table. The window runs it on the device's queue and shows the outcome.

#include "devicelink/TalvorenUSBDevice.h"

namespace morvek {

struct KeyTableSaveResult {
    // The macro download's result: kMacroDownloadDone, kMacroDownloadFailed or the number of
    // events too many ("message_text_7", "message_text_16").
    int macros = 0;
    // WriteKeyAssignments (0), 1 on success; not tried (kResultNoAnswer) after a failed download.
    int keyTable = 0;
    // False when the device did not answer at all (unplugged, silent, a wireless mouse out of
    // its receiver's reach): nothing reached it, and a failed download says nothing of the
    // macros.
    bool answered = true;

    bool Written() const;
};

// Device thread. A model without key assignment writes nothing (its key table result is
// kResultRefused).
KeyTableSaveResult SaveKeyTableToDevice(CTalvorenUSBDevice& model);

}  // namespace morvek
