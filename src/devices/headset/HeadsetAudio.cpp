#include "devices/headset/HeadsetAudio.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace morvek {
namespace {

using audio::AudioConfigBinding;
using audio::ChosenAudioDevice;
using audio::PropertyParameter;

enum class Flow { Playback, Recording };

struct EnsuredProperty {
    const wchar_t* name;
    Flow flow;
    PropertyParameter read;
    PropertyParameter write;
};

const PropertyParameter kNone = PropertyParameter::None();
const PropertyParameter kAll = PropertyParameter::Channel(audio::kAllChannels);
const PropertyParameter kFirst = PropertyParameter::Channel(audio::kFirstChannel);
const PropertyParameter kSurround = PropertyParameter::SurroundRecord();

// The properties made sure of at start-up, in this order.
const EnsuredProperty kEnsured[] = {
    {L"VirtualSurroundEffectControl", Flow::Playback, kSurround, kSurround},
    {L"Enable_ENC_LFX", Flow::Recording, PropertyParameter::Cleared(), kNone},
    {L"VolumeControl", Flow::Recording, kAll, kAll},
    {L"Enable_EQ_GFX", Flow::Playback, kNone, kNone},
    {L"EQ_Slider1", Flow::Playback, kNone, kNone},
    {L"EQ_Slider2", Flow::Playback, kNone, kNone},
    {L"EQ_Slider3", Flow::Playback, kNone, kNone},
    {L"EQ_Slider4", Flow::Playback, kNone, kNone},
    {L"EQ_Slider5", Flow::Playback, kNone, kNone},
    {L"EQ_Slider6", Flow::Playback, kNone, kNone},
    {L"EQ_Slider7", Flow::Playback, kNone, kNone},
    {L"EQ_Slider8", Flow::Playback, kNone, kNone},
    {L"EQ_Slider9", Flow::Playback, kNone, kNone},
    {L"EQ_Slider10", Flow::Playback, kNone, kNone},
    {L"Enable_RFX_GFX", Flow::Playback, kNone, kNone},
    {L"RFX_ENVIRONMENT", Flow::Playback, kNone, kNone},
    {L"RFX_ROOMSIZE", Flow::Playback, kNone, kNone},
    {L"MuteControl", Flow::Recording, kNone, kNone},
    {L"VolumeScalarControl", Flow::Recording, kAll, kAll},
    {L"AAVolumeControl", Flow::Recording, kFirst, kFirst},
    {L"AAMuteControl", Flow::Recording, kNone, kNone},
    {L"AAVolumeScalarControl", Flow::Recording, kFirst, kFirst},
    {L"Enable_MAGICVOICE", Flow::Recording, kNone, kNone},
    {L"MagicVoice_Selection", Flow::Recording, kNone, kNone},
};

constexpr int kLevelScale = 100;
constexpr int kBandCount = 10;
constexpr int kVoiceCount = 4;

// A level as the library's fraction; rounded, so that a level written and read back stays the
// same (0.29 reads back as 0.2899999..., which cut to an integer would lose one each time).
int LevelOfFraction(double fraction) {
    return static_cast<int>(std::clamp<long>(std::lround(fraction * kLevelScale), 0, kLevelScale));
}

float FractionOfLevel(int level) { return static_cast<float>(level) / kLevelScale; }

}  // namespace

bool HeadsetAudio::Initialise(std::optional<audio::AudioEntryPoints> library,
                              AudioConfigBinding::MessageSink messages) {
    binding_ = AudioConfigBinding(std::move(library), std::move(messages));
    if (!binding_.Start()) return false;
    for (const EnsuredProperty& p : kEnsured) {
        const ChosenAudioDevice& device = p.flow == Flow::Playback ? binding_.Playback() : binding_.Recording();
        binding_.EnsureProperty(device, p.name, p.read, p.write);
    }
    return true;
}

HeadsetAudioState HeadsetAudio::ReadState() const {
    HeadsetAudioState state;
    const ChosenAudioDevice& recording = binding_.Recording();
    if (const auto mute = binding_.ReadNumber(recording, L"MuteControl")) state.microphoneMuted = *mute != 0;
    if (const auto level = binding_.ReadNumber(recording, L"VolumeScalarControl", kAll)) {
        state.microphoneLevel = LevelOfFraction(*level);
    }
    if (binding_.ReadText(recording, L"GetAAMaxVol")) {
        if (const auto mute = binding_.ReadNumber(recording, L"AAMuteControl")) state.monitorMuted = *mute != 0;
        if (const auto level = binding_.ReadNumber(recording, L"AAVolumeScalarControl", kFirst)) {
            state.monitorLevel = LevelOfFraction(*level);
        }
    }
    if (binding_.HasVoiceChanger()) {
        if (const auto on = binding_.ReadNumber(recording, L"Enable_MAGICVOICE")) state.voiceChangerOn = *on != 0;
    }
    if (const auto voice = binding_.ReadNumber(recording, L"MagicVoice_Selection")) {
        if (*voice >= 0 && *voice < kVoiceCount && *voice == std::floor(*voice)) state.voice = int(*voice) + 1;
    }
    return state;
}

HeadsetSurround HeadsetAudio::ReadSurround(const HeadsetSurround& known) const {
    HeadsetSurround surround = known;
    const ChosenAudioDevice& playback = binding_.Playback();
    const auto whole = [](double value, int highest) {
        return value >= 0 && value <= highest && value == std::floor(value);
    };
    if (const auto on = binding_.ReadNumber(playback, L"VirtualSurroundEffectControl", kSurround))
        surround.surroundOn = *on != 0;
    if (const auto on = binding_.ReadNumber(playback, L"Enable_RFX_GFX")) surround.roomOn = *on != 0;
    if (const auto environment = binding_.ReadNumber(playback, L"RFX_ENVIRONMENT");
        environment && whole(*environment, kSurroundEnvironmentCount - 1))
        surround.environment = static_cast<int>(*environment);
    if (const auto size = binding_.ReadNumber(playback, L"RFX_ROOMSIZE"); size && whole(*size, kMaxRoomSize))
        surround.roomSize = static_cast<int>(*size);
    return surround;
}

bool HeadsetAudio::EnableEqualiser() const { return binding_.WriteInt(binding_.Playback(), L"Enable_EQ_GFX", 1); }

bool HeadsetAudio::WriteBand(int band, int gain) const {
    if (band < 0 || band >= kBandCount) return false;
    const std::wstring name = L"EQ_Slider" + std::to_wstring(band + 1);
    return binding_.WriteInt(binding_.Playback(), name, gain);
}

bool HeadsetAudio::WriteMicrophoneMute(bool muted) const {
    return binding_.WriteInt(binding_.Recording(), L"MuteControl", muted ? 1 : 0);
}

bool HeadsetAudio::WriteMicrophoneLevel(int level) const {
    return binding_.WriteFloat(binding_.Recording(), L"VolumeScalarControl", FractionOfLevel(level), kAll);
}

bool HeadsetAudio::WriteMonitorMute(bool muted) const {
    return binding_.WriteInt(binding_.Recording(), L"AAMuteControl", muted ? 1 : 0);
}

bool HeadsetAudio::WriteMonitorLevel(int level) const {
    return binding_.WriteFloat(binding_.Recording(), L"AAVolumeScalarControl", FractionOfLevel(level), kFirst);
}

bool HeadsetAudio::WriteVoiceChanger(bool on) const {
    const bool written = binding_.WriteInt(binding_.Recording(), L"Enable_MAGICVOICE", on ? 1 : 0);
    if (on) binding_.WriteInt(binding_.Recording(), L"Enable_MICECHO", 0);
    return written;
}

bool HeadsetAudio::WriteVoice(int voice) const {
    return binding_.WriteInt(binding_.Recording(), L"MagicVoice_Selection", voice - 1);
}

bool HeadsetAudio::WriteSurround(bool on) const {
    return binding_.WriteInt(binding_.Playback(), L"VirtualSurroundEffectControl", on ? 1 : 0, kSurround);
}

bool HeadsetAudio::WriteRoomEffect(bool on) const {
    return binding_.WriteInt(binding_.Playback(), L"Enable_RFX_GFX", on ? 1 : 0);
}

bool HeadsetAudio::WriteEnvironment(int environment) const {
    return binding_.WriteInt(binding_.Playback(), L"RFX_ENVIRONMENT", environment);
}

bool HeadsetAudio::WriteRoomSize(int size) const {
    return binding_.WriteInt(binding_.Playback(), L"RFX_ROOMSIZE", size);
}

}  // namespace morvek
