#include "audio-sdk/AlsaMixerLink.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace morvek::audiosdk {
namespace {

constexpr const char* kHeadsetNames[] = {"morvek", "cm6533"};
constexpr const char* kMicrophoneControl = "Mic";
constexpr const char* kCardVariable = "MORVEK_AUDIO_CARD";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

MixerHandle OpenMixer(const std::string& device) {
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) return nullptr;
    MixerHandle mixer(raw);
    if (snd_mixer_attach(raw, device.c_str()) < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0 ||
        snd_mixer_load(raw) < 0) {
        return nullptr;
    }
    return mixer;
}

snd_mixer_elem_t* MicrophoneElement(snd_mixer_t* mixer) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, kMicrophoneControl);
    return snd_mixer_find_selem(mixer, id);
}

bool Capture(MixerTarget target) {
    return target == MixerTarget::MicrophoneLevel || target == MixerTarget::MicrophoneMute;
}
bool Level(MixerTarget target) { return target == MixerTarget::MicrophoneLevel || target == MixerTarget::MonitorLevel; }

bool HasControl(snd_mixer_elem_t* elem, MixerTarget target) {
    if (elem == nullptr || target == MixerTarget::None) return false;
    if (Capture(target)) {
        return Level(target) ? snd_mixer_selem_has_capture_volume(elem) != 0
                             : snd_mixer_selem_has_capture_switch(elem) != 0;
    }
    return Level(target) ? snd_mixer_selem_has_playback_volume(elem) != 0
                         : snd_mixer_selem_has_playback_switch(elem) != 0;
}

std::string FindHeadsetCard() {
    const char* requestedValue = std::getenv(kCardVariable);
    const std::string requested = requestedValue != nullptr ? requestedValue : "";
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0) {
        char* name = nullptr;
        char* longName = nullptr;
        if (snd_card_get_name(card, &name) < 0) name = nullptr;
        if (snd_card_get_longname(card, &longName) < 0) longName = nullptr;
        const std::string device = "hw:" + std::to_string(card);
        snd_ctl_t* ctl = nullptr;
        std::string id;
        if (snd_ctl_open(&ctl, device.c_str(), 0) == 0) {
            snd_ctl_card_info_t* info = nullptr;
            snd_ctl_card_info_alloca(&info);
            if (snd_ctl_card_info(ctl, info) == 0) id = snd_ctl_card_info_get_id(info);
            snd_ctl_close(ctl);
        }
        const bool match = CardMatchesHeadset(id, name != nullptr ? name : "", longName != nullptr ? longName : "",
                                              requested);
        std::free(name);
        std::free(longName);
        if (match) return device;
    }
    return {};
}

}  // namespace

bool CardMatchesHeadset(const std::string& id, const std::string& name, const std::string& longName,
                        const std::string& requested) {
    if (!requested.empty()) return id == requested || name == requested;
    const std::string text = Lower(id + "\n" + name + "\n" + longName);
    return std::any_of(std::begin(kHeadsetNames), std::end(kHeadsetNames),
                       [&](const char* headset) { return text.find(headset) != std::string::npos; });
}

AlsaMixerLink::AlsaMixerLink() : device_(FindHeadsetCard()) {}

bool AlsaMixerLink::Maps(MixerTarget target) const {
    if (!Found()) return false;
    const MixerHandle mixer = OpenMixer(device_);
    return mixer && HasControl(MicrophoneElement(mixer.get()), target);
}

std::optional<double> AlsaMixerLink::Read(MixerTarget target) const {
    if (!Found()) return std::nullopt;
    const MixerHandle mixer = OpenMixer(device_);
    if (!mixer) return std::nullopt;
    snd_mixer_elem_t* elem = MicrophoneElement(mixer.get());
    if (!HasControl(elem, target)) return std::nullopt;
    const auto channel = SND_MIXER_SCHN_FRONT_LEFT;
    if (Level(target)) {
        long low = 0, high = 0, value = 0;
        const int range = Capture(target) ? snd_mixer_selem_get_capture_volume_range(elem, &low, &high)
                                          : snd_mixer_selem_get_playback_volume_range(elem, &low, &high);
        const int got = Capture(target) ? snd_mixer_selem_get_capture_volume(elem, channel, &value)
                                        : snd_mixer_selem_get_playback_volume(elem, channel, &value);
        if (range < 0 || got < 0 || high <= low) return std::nullopt;
        return double(value - low) / double(high - low);
    }
    int on = 0;
    const int got = Capture(target) ? snd_mixer_selem_get_capture_switch(elem, channel, &on)
                                    : snd_mixer_selem_get_playback_switch(elem, channel, &on);
    if (got < 0) return std::nullopt;
    return on != 0 ? 0.0 : 1.0;  // the switch is on when the path is not muted
}

bool AlsaMixerLink::Write(MixerTarget target, double value) {
    if (!Found()) return false;
    const MixerHandle mixer = OpenMixer(device_);
    if (!mixer) return false;
    snd_mixer_elem_t* elem = MicrophoneElement(mixer.get());
    if (!HasControl(elem, target)) return false;
    if (Level(target)) {
        long low = 0, high = 0;
        const int range = Capture(target) ? snd_mixer_selem_get_capture_volume_range(elem, &low, &high)
                                          : snd_mixer_selem_get_playback_volume_range(elem, &low, &high);
        if (range < 0 || high < low) return false;
        const long raw = low + std::lround(value * double(high - low));
        return (Capture(target) ? snd_mixer_selem_set_capture_volume_all(elem, raw)
                                : snd_mixer_selem_set_playback_volume_all(elem, raw)) >= 0;
    }
    const int on = value != 0 ? 0 : 1;
    return (Capture(target) ? snd_mixer_selem_set_capture_switch_all(elem, on)
                            : snd_mixer_selem_set_playback_switch_all(elem, on)) >= 0;
}

}  // namespace morvek::audiosdk
