// The exported entry points of libosConfLib.so, with the signatures of AudioLibraryAbi.h. The
// values are kept in the user's data folder; the headset's sound card is used when present.

#include "audio-sdk/AlsaMixerLink.h"
#include "audio-sdk/AudioSdkLibrary.h"

using morvek::audio::AudioDeviceInfo;
using morvek::audiosdk::AudioSdkLibrary;

namespace {

AudioSdkLibrary& Library() {
    static AudioSdkLibrary library(morvek::audiosdk::AudioPropertyStore::DefaultFile,
                                   [] { return std::make_unique<morvek::audiosdk::AlsaMixerLink>(); });
    return library;
}

}  // namespace

extern "C" {

int ConfLibInit() { return Library().Init(); }
int CreateDeviceList() { return Library().CreateDeviceList(); }
int GetDeviceCount(int32_t flow, uint32_t* count) { return Library().GetDeviceCount(flow, count); }
int GetDeviceById(int32_t flow, uint32_t index, AudioDeviceInfo* info) {
    return Library().GetDeviceById(flow, index, info);
}
int PropertyControl(AudioDeviceInfo device, const wchar_t* name, void** value, void** parameter, int write) {
    return Library().PropertyControl(device, name, value, parameter, write);
}
// Change notifications are not sent: the values only change through PropertyControl.
int RegisterCallbackFunction(void (*)(void*), void*) { return 0; }
int ConfLibUnInit() { return 0; }
// No driver panel and no test tone on this platform; the calls are accepted.
int ShowAsioPanel() { return 0; }
int PlayTestSound(AudioDeviceInfo) { return 0; }
int StopTestSound(AudioDeviceInfo) { return 0; }
int CloseTestSound(AudioDeviceInfo) { return 0; }
}
