#include "audio-sdk/AudioSdkLibrary.h"

#include <cstring>
#include <cwchar>
#include <string>

namespace morvek::audiosdk {
namespace {

using audio::AudioDeviceInfo;
using audio::kAudioBufferChars;

std::optional<audio::AudioDataFlow> FlowOf(const AudioDeviceInfo& device) {
    if (device.id == kPlaybackDevice.id && device.kind == kPlaybackDevice.kind) return audio::kFlowPlayback;
    if (device.id == kRecordingDevice.id && device.kind == kRecordingDevice.kind) return audio::kFlowRecording;
    return std::nullopt;
}

std::string NarrowName(std::wstring_view name) { return std::string(name.begin(), name.end()); }

// The answer of a read, always terminated inside the caller's 1024-byte buffer.
void PutText(wchar_t* out, const wchar_t* format, auto value) { std::swprintf(out, kAudioBufferChars, format, value); }

}  // namespace

AudioSdkLibrary::AudioSdkLibrary(StoreFile storeFile, MixerFactory mixers)
    : storeFile_(std::move(storeFile)), mixers_(std::move(mixers)) {}

int AudioSdkLibrary::Init() {
    std::lock_guard lock(mutex_);
    store_.Load(storeFile_());
    mixer_ = mixers_ ? mixers_() : nullptr;
    initialised_ = true;
    return kSdkOk;
}

int AudioSdkLibrary::CreateDeviceList() {
    std::lock_guard lock(mutex_);
    if (!initialised_) return kSdkNotInitialised;
    mixer_ = mixers_ ? mixers_() : nullptr;
    return kSdkOk;
}

int AudioSdkLibrary::GetDeviceCount(int32_t flow, uint32_t* count) const {
    if (count == nullptr) return kSdkBadArgument;
    if (flow != audio::kFlowPlayback && flow != audio::kFlowRecording) return kSdkBadArgument;
    std::lock_guard lock(mutex_);
    if (!initialised_) return kSdkNotInitialised;
    *count = 1;
    return kSdkOk;
}

int AudioSdkLibrary::GetDeviceById(int32_t flow, uint32_t index, AudioDeviceInfo* info) const {
    if (info == nullptr || index != 0) return kSdkBadArgument;
    std::lock_guard lock(mutex_);
    if (!initialised_) return kSdkNotInitialised;
    if (flow == audio::kFlowPlayback) {
        *info = kPlaybackDevice;
    } else if (flow == audio::kFlowRecording) {
        *info = kRecordingDevice;
    } else {
        return kSdkBadArgument;
    }
    return kSdkOk;
}

int AudioSdkLibrary::PropertyControl(AudioDeviceInfo device, const wchar_t* name, void** value, void** parameter,
                                     int write) {
    (void)parameter;  // every value applies to all channels
    if (name == nullptr || value == nullptr || *value == nullptr) return kSdkBadArgument;
    std::lock_guard lock(mutex_);
    if (!initialised_) return kSdkNotInitialised;
    const auto flow = FlowOf(device);
    if (!flow) return kSdkUnknownDevice;
    const auto property = FindAudioProperty(std::wstring_view(name, wcsnlen(name, kAudioBufferChars)), *flow);
    if (!property) return kSdkUnknownProperty;
    return write != 0 ? Write(*property, *value) : Read(*property, static_cast<wchar_t*>(*value));
}

int AudioSdkLibrary::Read(const AudioProperty& property, wchar_t* out) {
    switch (property.form) {
    case ValueForm::Features:
        PutText(out, L"%u,0,0,0,0,0,0", property.flow == audio::kFlowRecording ? kRecordingFeatures : 0u);
        return kSdkOk;
    case ValueForm::MaxVolume: PutText(out, L"%d", kMonitorMaxVolume); return kSdkOk;
    default: break;
    }
    std::optional<double> value;
    if (mixer_ && mixer_->Maps(property.mixer)) value = mixer_->Read(property.mixer);
    if (!value) value = store_.Get(property.flow, NarrowName(property.name));
    if (!value) value = DefaultValue(property);
    if (property.form == ValueForm::Scalar) {
        PutText(out, L"%.6g", *value);
    } else {
        PutText(out, L"%d", static_cast<int>(*value));
    }
    return kSdkOk;
}

int AudioSdkLibrary::Write(const AudioProperty& property, const void* in) {
    if (property.form == ValueForm::Features || property.form == ValueForm::MaxVolume) return kSdkReadOnly;
    double value = 0;
    if (property.form == ValueForm::Scalar) {
        float f = 0;
        std::memcpy(&f, in, sizeof(f));
        value = f;
    } else {
        int32_t i = 0;
        std::memcpy(&i, in, sizeof(i));
        value = i;
    }
    if (!ValueInRange(property, value)) return kSdkOutOfRange;
    if (!store_.Set(property.flow, NarrowName(property.name), value)) return kSdkNotSaved;
    if (mixer_ && mixer_->Maps(property.mixer) && !mixer_->Write(property.mixer, value)) return kSdkMixerFailed;
    return kSdkOk;
}

}  // namespace morvek::audiosdk
