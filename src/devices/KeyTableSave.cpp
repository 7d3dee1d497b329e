#include "devices/KeyTableSave.h"

#include "devicelink/DeviceInfoRecord.h"
#include "devicelink/ResultCodes.h"
#include "devices/Capabilities.h"
#include "devices/IKeyAssignment.h"
#include "devices/IMacroDownload.h"
#include "macros/LinkCheck.h"
#include "macros/MacroDownload.h"

namespace morvek {
namespace {

// Whether the device answers a command now (a wireless mouse: its receiver reaches it).
bool Answers(CHidChannel& channel) {
    if (!channel.IsOpen() || !LinkReady(channel)) return false;
    DeviceInfoRecord info;
    return channel.ReadDeviceInfo(info) == kResultSuccess;
}

// The results of a transfer that got no answer in time.
bool Unanswered(int result) { return result == kResultNoAnswer || result == kResultWriteFailed; }

}  // namespace

bool KeyTableSaveResult::Written() const { return macros == kMacroDownloadDone && keyTable == kResultSuccess; }

KeyTableSaveResult SaveKeyTableToDevice(CTalvorenUSBDevice& model) {
    KeyTableSaveResult result;
    IKeyAssignment* keys = CapabilityOf<IKeyAssignment>(model);
    IMacroDownload* macros = CapabilityOf<IMacroDownload>(model);
    if (keys == nullptr) {
        result.keyTable = kResultRefused;
        return result;
    }
    result.macros = macros != nullptr ? macros->DownloadMacros() : kMacroDownloadDone;
    if (result.macros == kMacroDownloadDone) {
        result.keyTable = keys->WriteKeyAssignments(0);
        result.answered = !Unanswered(result.keyTable);
    } else if (result.macros == kMacroDownloadFailed) {
        result.keyTable = kResultNoAnswer;
        result.answered = Answers(model.CommandChannel());
    }
    return result;
}

}  // namespace morvek
