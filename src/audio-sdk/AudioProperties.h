#pragma once
// The properties the library answers: which device they belong to and the form of their value.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/audio/AudioLibraryAbi.h"

namespace morvek::audiosdk {

enum class ValueForm {
    Int,         // a 32-bit integer
    Switch,      // a 32-bit integer, 0 or 1
    Selection,   // a 32-bit integer, 0 to 3 (the voice)
    Scalar,      // a 32-bit float, 0.0 to 1.0
    Features,    // read only: the device's feature list
    MaxVolume,   // read only: the monitor path's highest level
};

// What the microphone and monitor properties drive on a sound card.
enum class MixerTarget { None, MicrophoneLevel, MicrophoneMute, MonitorLevel, MonitorMute };

struct AudioProperty {
    std::wstring_view name;
    audio::AudioDataFlow flow;
    ValueForm form;
    MixerTarget mixer;
};

// The property of that name on that device flow, or nothing.
std::optional<AudioProperty> FindAudioProperty(std::wstring_view name, int32_t flow);

// The value a property holds before anything was written to it.
double DefaultValue(const AudioProperty& property);

// Whether a written value is in the property's range.
bool ValueInRange(const AudioProperty& property, double value);

}  // namespace morvek::audiosdk
