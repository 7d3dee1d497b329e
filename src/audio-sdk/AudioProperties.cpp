#include "audio-sdk/AudioProperties.h"

#include <array>
#include <cmath>

namespace morvek::audiosdk {
namespace {

using audio::kFlowPlayback;
using audio::kFlowRecording;

constexpr AudioProperty kProperties[] = {
    {L"GetSupportFeature", kFlowPlayback, ValueForm::Features, MixerTarget::None},
    {L"GetSupportFeature", kFlowRecording, ValueForm::Features, MixerTarget::None},
    {L"GetAAMaxVol", kFlowRecording, ValueForm::MaxVolume, MixerTarget::None},
    {L"VolumeControl", kFlowRecording, ValueForm::Int, MixerTarget::None},
    {L"VolumeScalarControl", kFlowRecording, ValueForm::Scalar, MixerTarget::MicrophoneLevel},
    {L"MuteControl", kFlowRecording, ValueForm::Switch, MixerTarget::MicrophoneMute},
    {L"AAVolumeControl", kFlowRecording, ValueForm::Int, MixerTarget::None},
    {L"AAVolumeScalarControl", kFlowRecording, ValueForm::Scalar, MixerTarget::MonitorLevel},
    {L"AAMuteControl", kFlowRecording, ValueForm::Switch, MixerTarget::MonitorMute},
    {L"Enable_MAGICVOICE", kFlowRecording, ValueForm::Switch, MixerTarget::None},
    {L"Enable_MICECHO", kFlowRecording, ValueForm::Switch, MixerTarget::None},
    {L"MagicVoice_Selection", kFlowRecording, ValueForm::Selection, MixerTarget::None},
    {L"Enable_ENC_LFX", kFlowRecording, ValueForm::Int, MixerTarget::None},
    {L"Enable_EQ_GFX", kFlowPlayback, ValueForm::Switch, MixerTarget::None},
    {L"EQ_Slider1", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider2", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider3", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider4", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider5", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider6", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider7", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider8", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider9", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"EQ_Slider10", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"Enable_RFX_GFX", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"RFX_ENVIRONMENT", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"RFX_ROOMSIZE", kFlowPlayback, ValueForm::Int, MixerTarget::None},
    {L"VirtualSurroundEffectControl", kFlowPlayback, ValueForm::Switch, MixerTarget::None},
};

// A fresh headset: microphone on at full level, monitor off at half level.
constexpr double kMicrophoneLevel = 1.0;
constexpr double kMonitorLevel = 0.5;
constexpr double kMonitorMuted = 1.0;
constexpr int kHighestSelection = 3;

}  // namespace

std::optional<AudioProperty> FindAudioProperty(std::wstring_view name, int32_t flow) {
    for (const AudioProperty& p : kProperties) {
        if (p.name == name && p.flow == flow) return p;
    }
    return std::nullopt;
}

double DefaultValue(const AudioProperty& property) {
    switch (property.mixer) {
    case MixerTarget::MicrophoneLevel: return kMicrophoneLevel;
    case MixerTarget::MonitorLevel: return kMonitorLevel;
    case MixerTarget::MonitorMute: return kMonitorMuted;
    default: return 0;
    }
}

bool ValueInRange(const AudioProperty& property, double value) {
    switch (property.form) {
    case ValueForm::Int: return true;
    case ValueForm::Switch: return value == 0 || value == 1;
    case ValueForm::Selection: return value >= 0 && value <= kHighestSelection;
    case ValueForm::Scalar: return std::isfinite(value) && value >= 0.0 && value <= 1.0;
    case ValueForm::Features:
    case ValueForm::MaxVolume: return false;
    }
    return false;
}

}  // namespace morvek::audiosdk
