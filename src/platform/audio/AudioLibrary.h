#pragma once
// Loads the audio configuration library with dlopen and looks up its entry points by name. A
// missing entry point stays empty; the library is never unloaded (its entry points are used
// for the rest of the program's life).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "platform/audio/AudioLibraryAbi.h"

namespace morvek::audio {

// The entry points the binding calls (empty when the library lacks them). Tests put fakes in.
struct AudioEntryPoints {
    std::function<int()> confLibInit;
    std::function<int()> createDeviceList;
    std::function<int(int32_t flow, uint32_t* count)> getDeviceCount;
    std::function<int(int32_t flow, uint32_t index, AudioDeviceInfo* info)> getDeviceById;
    std::function<int(AudioDeviceInfo device, const wchar_t* name, void** value, void** parameter, int write)>
        propertyControl;
    // Looked up but never called.
    RegisterCallbackFunctionFn registerCallbackFunction = nullptr;
    ConfLibUnInitFn confLibUnInit = nullptr;
    ShowAsioPanelFn showAsioPanel = nullptr;
    PlayTestSoundFn playTestSound = nullptr;
    StopTestSoundFn stopTestSound = nullptr;
    CloseTestSoundFn closeTestSound = nullptr;
};

// The library at path, or nothing when it cannot be loaded (error names the reason).
std::optional<AudioEntryPoints> LoadAudioLibrary(const std::filesystem::path& path, std::string* error = nullptr);

// libosConfLib.so in the program's library folder: SDK/ beside the program in the build tree,
// <prefix>/lib/morvek/ when installed.
std::filesystem::path AudioLibraryPath();

}  // namespace morvek::audio
