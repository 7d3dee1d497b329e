#pragma once
// The macro download of a device model that keeps macros (the keyboard, the mouse): the macros
// of its data folder go into the device's macro memory.

namespace morvek {

class IMacroDownload {
public:
    virtual ~IMacroDownload() = default;

    // Device thread. kMacroDownloadDone, kMacroDownloadFailed, or how many events did not fit
    // (macros/MacroDownload.h).
    virtual int DownloadMacros() = 0;
};

}  // namespace morvek
