// The built libosConfLib.so loaded with dlopen, as the program loads it.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "audio-sdk/SdkFixtures.h"
#include "platform/audio/AudioLibraryAbi.h"
#include "support/TempFolder.h"
#include "support/SourcePaths.h"

namespace morvek::audiosdk {
namespace {

TEST(ConfLibExports, TheLoadedLibraryKeepsValuesInTheUserDataFolder) {
    morvek::test::TempFolder data;
    ASSERT_EQ(::setenv("MORVEK_DATA_DIR", data.Path().c_str(), 1), 0);
    void* handle = dlopen(morvek::test::AudioLibraryPath(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    for (const char* name : {audio::kEntryConfLibInit, audio::kEntryGetDeviceById, audio::kEntryPropertyControl,
                             audio::kEntryRegisterCallbackFunction, audio::kEntryGetDeviceCount,
                             audio::kEntryCreateDeviceList, audio::kEntryConfLibUnInit, audio::kEntryShowAsioPanel,
                             audio::kEntryPlayTestSound, audio::kEntryStopTestSound, audio::kEntryCloseTestSound}) {
        EXPECT_NE(dlsym(handle, name), nullptr) << name;
    }
    // Only the entry points are exported: the library's classes stay its own.
    EXPECT_EQ(dlsym(handle, "_ZN6morvek8audiosdk15AudioSdkLibrary4InitEv"), nullptr);

    const auto init = reinterpret_cast<audio::ConfLibInitFn>(dlsym(handle, audio::kEntryConfLibInit));
    const auto getById = reinterpret_cast<audio::GetDeviceByIdFn>(dlsym(handle, audio::kEntryGetDeviceById));
    const auto property = reinterpret_cast<audio::PropertyControlFn>(dlsym(handle, audio::kEntryPropertyControl));
    ASSERT_EQ(init(), 0);
    audio::AudioDeviceInfo playback;
    ASSERT_EQ(getById(audio::kFlowPlayback, 0, &playback), 0);
    ASSERT_EQ(test::WriteProperty(property, playback, L"EQ_Slider2", int32_t{14}), 0);
    std::wstring text;
    ASSERT_EQ(test::ReadProperty(property, playback, L"EQ_Slider2", text), 0);
    EXPECT_EQ(text, L"14");
    EXPECT_TRUE(std::filesystem::exists(data / "osConfLib.json"));
    ::unsetenv("MORVEK_DATA_DIR");
}

}  // namespace
}  // namespace morvek::audiosdk
