#pragma once
// The calling contract of the audio configuration library (libosConfLib.so): the device
// record, the entry points with their C signatures and names, and the value exchange. Both the
// program's binding and our own library are built against this header.
//
// Value exchange: every property call passes two caller-owned buffers of kAudioBufferBytes,
// each by the address of the variable holding the buffer's address. A write carries its value
// in the first four bytes (int32 or float, as the property needs); a read answers with the value
// as NUL-terminated wide text that fits the buffer. The parameter buffer, when used, carries a
// 32-bit channel selector (-1 all channels, 0 the first).

#include <cstddef>
#include <cstdint>

namespace morvek::audio {

struct AudioDeviceInfo {
    uint32_t id = 0;
    int32_t kind = 0;
    uint32_t reserved = 0;
    int32_t state = 0;  // 1: usable
};
static_assert(sizeof(AudioDeviceInfo) == 16);

enum AudioDataFlow : int32_t { kFlowPlayback = 0, kFlowRecording = 1 };

inline constexpr size_t kAudioBufferBytes = 1024;
inline constexpr size_t kAudioBufferChars = kAudioBufferBytes / sizeof(wchar_t);
inline constexpr int32_t kAllChannels = -1;
inline constexpr int32_t kFirstChannel = 0;
inline constexpr int kAudioCallOk = 0;
inline constexpr int kAudioRead = 0;
inline constexpr int kAudioWrite = 1;

using ConfLibInitFn = int (*)();
using CreateDeviceListFn = int (*)();
using GetDeviceCountFn = int (*)(int32_t flow, uint32_t* count);
using GetDeviceByIdFn = int (*)(int32_t flow, uint32_t index, AudioDeviceInfo* info);
using PropertyControlFn = int (*)(AudioDeviceInfo device, const wchar_t* name, void** value, void** parameter,
                                  int write);
using RegisterCallbackFunctionFn = int (*)(void (*callback)(void* context), void* context);
using ConfLibUnInitFn = int (*)();
using ShowAsioPanelFn = int (*)();
using PlayTestSoundFn = int (*)(AudioDeviceInfo device);
using StopTestSoundFn = int (*)(AudioDeviceInfo device);
using CloseTestSoundFn = int (*)(AudioDeviceInfo device);

inline constexpr const char* kEntryConfLibInit = "ConfLibInit";
inline constexpr const char* kEntryGetDeviceById = "GetDeviceById";
inline constexpr const char* kEntryPropertyControl = "PropertyControl";
inline constexpr const char* kEntryRegisterCallbackFunction = "RegisterCallbackFunction";
inline constexpr const char* kEntryGetDeviceCount = "GetDeviceCount";
inline constexpr const char* kEntryCreateDeviceList = "CreateDeviceList";
inline constexpr const char* kEntryConfLibUnInit = "ConfLibUnInit";
inline constexpr const char* kEntryShowAsioPanel = "ShowAsioPanel";
inline constexpr const char* kEntryPlayTestSound = "PlayTestSound";
inline constexpr const char* kEntryStopTestSound = "StopTestSound";
inline constexpr const char* kEntryCloseTestSound = "CloseTestSound";

// The library's file name (in the program's library folder, see ProgramLibraryFolder).
inline constexpr const char* kAudioLibraryFile = "libosConfLib.so";

}  // namespace morvek::audio
