#pragma once
// The sound settings of a device model (the headset's voice and voice-changer panels): each
// panel event goes to the audio configuration library in the panel's order and into the
// profile. The sound panels and the command line work through it.

#include <string>
#include <vector>

#include "devices/headset/HeadsetSoundSettings.h"
#include "devices/headset/HeadsetSurround.h"
#include "profiles/Hs6533Profiledata.h"

namespace morvek {

// The outcome of a panel event.
enum class HeadsetChange {
    Done,      // applied (and saved where the panel saves)
    BadValue,  // out of range or nothing to act on: nothing changed
    NotSaved,  // applied, but the profile file could not be written
};

class ISoundSettings {
public:
    virtual ~ISoundSettings() = default;

    // Panel events ("6533_eq_option_" N, "6533_eq_hz_slider_" N, the name list, the switches
    // and sliders, the voice changer).
    virtual HeadsetChange SelectEqPreset(int preset) = 0;
    virtual HeadsetChange SelectUserEqOption() = 0;
    virtual HeadsetChange MoveBandSlider(int band, int value) = 0;
    virtual HeadsetChange ChooseUserEq(int index) = 0;
    virtual HeadsetChange ToggleMicrophone() = 0;
    virtual HeadsetChange SetMicrophoneLevel(int level) = 0;
    virtual HeadsetChange ToggleMonitor() = 0;
    virtual HeadsetChange SetMonitorLevel(int level) = 0;
    virtual HeadsetChange SetVoiceChanger(bool on) = 0;
    virtual HeadsetChange SelectVoice(int voice) = 0;
    // The save action with the name edit's text; saved (when given) tells whether the file was
    // written.
    virtual EqSaveResult SaveUserEq(const std::string& name, bool* saved = nullptr) = 0;
    virtual HeadsetChange DeleteUserEq() = 0;
    // The 7.1 tab: each setting is kept as the user chose it and written to the library (which
    // keeps it; the profile has no place for it). BadValue out of range.
    virtual HeadsetChange SetSurround(bool on) = 0;
    virtual HeadsetChange SetRoomEffect(bool on) = 0;
    virtual HeadsetChange SetEnvironment(int environment) = 0;
    virtual HeadsetChange SetRoomSize(int size) = 0;

    // What the panels show.
    virtual bool AudioActive() const = 0;
    virtual bool HasVoiceChanger() const = 0;
    virtual HeadsetSystemValues Words() const = 0;
    virtual EqBandValues Bands() const = 0;
    virtual std::vector<std::string> UserEqNames() const = 0;
    virtual HeadsetPanel Panel() const = 0;
    virtual HeadsetSurround Surround() const = 0;
    // The mute flags the switches toggle (as the library last said, or as last toggled).
    virtual bool MicrophoneMuted() const = 0;
    virtual bool MonitorMuted() const = 0;
    // The audio library took every write of the last panel change (true when it made none).
    virtual bool LibraryTookLastChange() const = 0;
};

}  // namespace morvek
