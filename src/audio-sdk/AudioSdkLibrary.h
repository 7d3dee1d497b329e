#pragma once
// The library behind the exported entry points: one playback and one recording device, the
// properties of AudioProperties with values kept per device in an AudioPropertyStore, and the
// microphone and monitor properties driven on the headset's sound card when the mixer link maps
// them (the card is then the truth and the stored value follows it).

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "audio-sdk/AudioPropertyStore.h"
#include "audio-sdk/MixerLink.h"
#include "platform/audio/AudioLibraryAbi.h"

namespace morvek::audiosdk {

enum AudioSdkResult : int {
    kSdkOk = audio::kAudioCallOk,
    kSdkBadArgument = 1,
    kSdkNotInitialised = 2,
    kSdkUnknownDevice = 3,
    kSdkUnknownProperty = 4,
    kSdkReadOnly = 5,
    kSdkOutOfRange = 6,
    kSdkNotSaved = 7,
    kSdkMixerFailed = 8,
};

inline constexpr audio::AudioDeviceInfo kPlaybackDevice{1, 1, 0, 1};
inline constexpr audio::AudioDeviceInfo kRecordingDevice{2, 2, 0, 1};
// Feature words reported in "GetSupportFeature" (item 0 of the recording device: the voice changer).
inline constexpr uint32_t kRecordingFeatures = 0x20000;
inline constexpr int kMonitorMaxVolume = 100;

class AudioSdkLibrary {
public:
    using MixerFactory = std::function<std::unique_ptr<IMixerLink>()>;
    using StoreFile = std::function<std::filesystem::path()>;

    // storeFile names the file of the kept values; it is asked at each initialisation.
    AudioSdkLibrary(StoreFile storeFile, MixerFactory mixers);

    // Reads the kept values and looks for the sound card.
    int Init();
    // Looks for the sound card again.
    int CreateDeviceList();
    int GetDeviceCount(int32_t flow, uint32_t* count) const;
    int GetDeviceById(int32_t flow, uint32_t index, audio::AudioDeviceInfo* info) const;
    int PropertyControl(audio::AudioDeviceInfo device, const wchar_t* name, void** value, void** parameter,
                        int write);

private:
    int Read(const AudioProperty& property, wchar_t* out);
    int Write(const AudioProperty& property, const void* in);

    mutable std::mutex mutex_;
    StoreFile storeFile_;
    AudioPropertyStore store_;
    MixerFactory mixers_;
    std::unique_ptr<IMixerLink> mixer_;
    bool initialised_ = false;
};

}  // namespace morvek::audiosdk
