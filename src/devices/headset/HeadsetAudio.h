#pragma once
// The headset's audio part over the audio configuration library: start-up with the properties
// it needs made sure of, the state read back from the recording device, and each setting
// written as the voice and voice-changer panels write it. Every write reports whether the
// library took it; while the audio part is idle (no library, no playback device) all fail.

#include <optional>
#include <string>

#include "devices/headset/HeadsetSurround.h"
#include "platform/audio/AudioConfigBinding.h"

namespace morvek {

// What the library says about the recording device; each part only when its read succeeded.
struct HeadsetAudioState {
    std::optional<bool> microphoneMuted;
    std::optional<int> microphoneLevel;  // 0-100
    std::optional<bool> monitorMuted;
    std::optional<int> monitorLevel;
    std::optional<bool> voiceChangerOn;
    std::optional<int> voice;  // 1-4
};

class HeadsetAudio {
public:
    // Idle until initialised.
    HeadsetAudio() : binding_(std::nullopt, {}) {}

    // Starts the library (nothing: none could be loaded) and makes sure of the headset's
    // properties; false: the part stays idle. messages shows the library's failure messages.
    bool Initialise(std::optional<audio::AudioEntryPoints> library, audio::AudioConfigBinding::MessageSink messages);
    bool Active() const { return binding_.Active(); }
    const audio::AudioConfigBinding& Binding() const { return binding_; }

    HeadsetAudioState ReadState() const;
    // The 7.1 settings the playback device holds; what cannot be read (or is out of range)
    // keeps its value from known.
    HeadsetSurround ReadSurround(const HeadsetSurround& known) const;

    bool EnableEqualiser() const;
    // Band 0-9 ("EQ_Slider1" to "EQ_Slider10").
    bool WriteBand(int band, int gain) const;
    bool WriteMicrophoneMute(bool muted) const;
    // Level 0-100, written as a fraction.
    bool WriteMicrophoneLevel(int level) const;
    bool WriteMonitorMute(bool muted) const;
    bool WriteMonitorLevel(int level) const;
    // "Enable_MAGICVOICE"; switching it on also switches the echo off.
    bool WriteVoiceChanger(bool on) const;
    // Voice 1-4, written as 0-3.
    bool WriteVoice(int voice) const;
    // The 7.1 tab: "VirtualSurroundEffectControl" (with its 4, -1, 0 record), "Enable_RFX_GFX",
    // "RFX_ENVIRONMENT" and "RFX_ROOMSIZE".
    bool WriteSurround(bool on) const;
    bool WriteRoomEffect(bool on) const;
    bool WriteEnvironment(int environment) const;
    bool WriteRoomSize(int size) const;

private:
    audio::AudioConfigBinding binding_;
};

}  // namespace morvek
