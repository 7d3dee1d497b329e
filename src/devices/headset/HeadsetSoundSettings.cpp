#include "devices/headset/HeadsetSoundSettings.h"

#include <algorithm>

#include "devices/headset/HeadsetEqPresets.h"
#include "profiles/ProfileNames.h"

namespace morvek {
namespace {

EqBandValues ToBands(const std::vector<int>& values) {
    EqBandValues bands{};
    if (values.size() == bands.size()) std::copy(values.begin(), values.end(), bands.begin());
    return bands;
}

bool IsLevel(int level) { return level >= 0 && level <= HeadsetSoundSettings::kMaxLevel; }

}  // namespace

void HeadsetSoundSettings::Load() {
    words_ = profile_.ReadHeadsetSystem();
    bands_ = words_[kWordEqType] == kUserEqOption ? CustomBands(words_[kWordCustomEqSelect])
                                                  : ToBands(profile_.ReadEqBands(words_[kWordEqType]));
    names_ = profile_.ReadCustomEqNames();
}

void HeadsetSoundSettings::ShowProfile() {
    panel_.voiceChangerOn = words_[kWordMagicEnable] != 0;
    panel_.voice = words_[kWordMagicType];
    panel_.microphoneOn = words_[kWordMicInSelect] != 0;
    panel_.microphoneLevel = words_[kWordMicInValue];
    panel_.monitorOn = words_[kWordMonitorSelect] != 0;
    panel_.monitorLevel = words_[kWordMonitorValue];
    panel_.eqOption = words_[kWordEqType];
    const int selected = words_[kWordCustomEqSelect];
    panel_.customSelection = selected >= 0 && size_t(selected) < names_.size() ? selected : -1;
    panel_.customAreaEnabled = words_[kWordEqType] == kUserEqOption;
    panel_.sliders = bands_;
}

void HeadsetSoundSettings::TakeAudioState(const HeadsetAudioState& state) {
    if (state.microphoneMuted) {
        microphoneMuted_ = *state.microphoneMuted;
        words_[kWordMicInSelect] = microphoneMuted_ ? 0 : 1;
    }
    if (state.microphoneLevel) words_[kWordMicInValue] = *state.microphoneLevel;
    if (state.monitorMuted) {
        monitorMuted_ = *state.monitorMuted;
        words_[kWordMonitorSelect] = monitorMuted_ ? 0 : 1;
    }
    if (state.monitorLevel) words_[kWordMonitorValue] = *state.monitorLevel;
    if (state.voiceChangerOn) words_[kWordMagicEnable] = *state.voiceChangerOn ? 1 : 0;
    if (state.voice) words_[kWordMagicType] = *state.voice;
}

bool HeadsetSoundSettings::SelectPreset(int preset) {
    BeginEvent();
    if (!IsEqPreset(preset)) return false;
    Took(audio_.EnableEqualiser());
    ApplyBands(EqPresetBands(preset));
    words_[kWordEqType] = preset;
    panel_.eqOption = preset;
    panel_.customAreaEnabled = false;
    profile_.WriteEqBands(preset, bands_);
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::SelectUserEqOption() {
    BeginEvent();
    words_[kWordEqType] = kUserEqOption;
    panel_.eqOption = kUserEqOption;
    panel_.customAreaEnabled = true;
    ChooseUserEq(panel_.customSelection);
    return true;
}

bool HeadsetSoundSettings::MoveBand(int band, int value) {
    BeginEvent();
    if (band < 0 || band >= CHs6533Profiledata::kBandCount) return false;
    if (words_[kWordEqType] != kUserEqOption) {
        words_[kWordEqType] = kUserEqOption;
        panel_.eqOption = kUserEqOption;
        panel_.customSelection = -1;
        panel_.customAreaEnabled = true;
    }
    panel_.sliders[size_t(band)] = value;
    Took(audio_.WriteBand(band, value));
    return true;
}

bool HeadsetSoundSettings::ChooseUserEq(int index) {
    BeginEvent();
    if (index < 0 || size_t(index) >= names_.size()) return false;
    const EqBandValues bands = CustomBands(index);
    Took(audio_.EnableEqualiser());
    ApplyBands(bands);
    words_[kWordCustomEqSelect] = index;
    panel_.customSelection = index;
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::ToggleMicrophone() {
    BeginEvent();
    microphoneMuted_ = !microphoneMuted_;
    panel_.microphoneOn = !microphoneMuted_;
    if (Took(audio_.WriteMicrophoneMute(microphoneMuted_))) words_[kWordMicInSelect] = microphoneMuted_ ? 0 : 1;
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::SetMicrophoneLevel(int level) {
    BeginEvent();
    if (!IsLevel(level)) return false;
    panel_.microphoneLevel = level;
    if (Took(audio_.WriteMicrophoneLevel(level))) words_[kWordMicInValue] = level;
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::ToggleMonitor() {
    BeginEvent();
    monitorMuted_ = !monitorMuted_;
    panel_.monitorOn = !monitorMuted_;
    if (Took(audio_.WriteMonitorMute(monitorMuted_))) words_[kWordMonitorSelect] = monitorMuted_ ? 0 : 1;
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::SetMonitorLevel(int level) {
    BeginEvent();
    if (!IsLevel(level)) return false;
    panel_.monitorLevel = level;
    if (Took(audio_.WriteMonitorLevel(level))) words_[kWordMonitorValue] = level;
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::SetVoiceChanger(bool on) {
    BeginEvent();
    Took(audio_.WriteVoiceChanger(on));
    words_[kWordMagicEnable] = on ? 1 : 0;
    panel_.voiceChangerOn = on;
    StoreWords();
    return true;
}

bool HeadsetSoundSettings::SelectVoice(int voice) {
    BeginEvent();
    if (voice < 1 || voice > kVoiceCount) return false;
    Took(audio_.WriteVoice(voice));
    words_[kWordMagicType] = voice;
    panel_.voice = voice;
    StoreWords();
    return true;
}

EqSaveResult HeadsetSoundSettings::SaveUserEq(const std::string& name) {
    int index = panel_.customSelection;
    if (name.empty()) {
        if (index < 0 || size_t(index) >= names_.size()) return EqSaveResult::Refused;
    } else {
        if (names_.size() >= size_t(CHs6533Profiledata::kMaxCustomEqPresets)) return EqSaveResult::Refused;
        if (NameTaken(names_, name)) return EqSaveResult::NameTaken;
        names_.push_back(name);
        index = static_cast<int>(names_.size()) - 1;
        panel_.customSelection = index;
        profile_.WriteCustomEqNames(names_);
    }
    bands_ = panel_.sliders;
    words_[kWordCustomEqSelect] = index;
    StoreWords();
    profile_.WriteCustomEqBands(index, bands_);
    return EqSaveResult::Saved;
}

bool HeadsetSoundSettings::DeleteUserEq() {
    const int selected = panel_.customSelection;
    if (selected < 0 || size_t(selected) >= names_.size()) return false;
    names_.erase(names_.begin() + selected);
    // The band values go with their name, so the names after it keep their own values.
    profile_.RemoveCustomEqBands(selected);
    if (names_.empty()) {
        words_[kWordEqType] = kFirstEqPreset;
        words_[kWordCustomEqSelect] = -1;
        panel_.eqOption = kFirstEqPreset;
        panel_.customSelection = -1;
        panel_.customAreaEnabled = false;
        bands_ = ToBands(profile_.ReadEqBands(kFirstEqPreset));
    } else {
        words_[kWordCustomEqSelect] = 0;
        panel_.customSelection = 0;
        bands_ = CustomBands(0);
    }
    panel_.sliders = bands_;
    profile_.WriteCustomEqNames(names_);
    // The words follow, so the document never names an equaliser that is gone.
    StoreWords();
    return true;
}

void HeadsetSoundSettings::StoreWords() { profile_.WriteHeadsetSystem(words_); }

void HeadsetSoundSettings::ApplyBands(const EqBandValues& bands) {
    for (size_t i = 0; i < bands.size(); ++i) {
        panel_.sliders[i] = bands[i];
        bands_[i] = bands[i];
        Took(audio_.WriteBand(static_cast<int>(i), bands[i]));
    }
}

EqBandValues HeadsetSoundSettings::CustomBands(int index) { return ToBands(profile_.ReadCustomEqBands(index)); }

}  // namespace morvek
