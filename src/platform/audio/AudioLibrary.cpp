#include "platform/audio/AudioLibrary.h"

#include <dlfcn.h>

#include "platform/Paths.h"

namespace morvek::audio {
namespace {

template <class Fn>
Fn Lookup(void* handle, const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

}  // namespace

std::optional<AudioEntryPoints> LoadAudioLibrary(const std::filesystem::path& path, std::string* error) {
    // RTLD_LOCAL keeps the library's own symbols to itself; its dependencies are found through
    // its run path, as the library's folder is searched first.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* reason = dlerror();
            *error = reason != nullptr ? reason : "cannot load " + path.string();
        }
        return std::nullopt;
    }
    AudioEntryPoints entries;
    if (auto fn = Lookup<ConfLibInitFn>(handle, kEntryConfLibInit)) entries.confLibInit = fn;
    if (auto fn = Lookup<GetDeviceByIdFn>(handle, kEntryGetDeviceById)) entries.getDeviceById = fn;
    if (auto fn = Lookup<PropertyControlFn>(handle, kEntryPropertyControl)) entries.propertyControl = fn;
    entries.registerCallbackFunction = Lookup<RegisterCallbackFunctionFn>(handle, kEntryRegisterCallbackFunction);
    if (auto fn = Lookup<GetDeviceCountFn>(handle, kEntryGetDeviceCount)) entries.getDeviceCount = fn;
    if (auto fn = Lookup<CreateDeviceListFn>(handle, kEntryCreateDeviceList)) entries.createDeviceList = fn;
    entries.confLibUnInit = Lookup<ConfLibUnInitFn>(handle, kEntryConfLibUnInit);
    entries.showAsioPanel = Lookup<ShowAsioPanelFn>(handle, kEntryShowAsioPanel);
    entries.playTestSound = Lookup<PlayTestSoundFn>(handle, kEntryPlayTestSound);
    entries.stopTestSound = Lookup<StopTestSoundFn>(handle, kEntryStopTestSound);
    entries.closeTestSound = Lookup<CloseTestSoundFn>(handle, kEntryCloseTestSound);
    return entries;
}

std::filesystem::path AudioLibraryPath() { return ProgramLibraryFolder() / kAudioLibraryFile; }

}  // namespace morvek::audio
