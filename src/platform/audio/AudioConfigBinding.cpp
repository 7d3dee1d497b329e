#include "platform/audio/AudioConfigBinding.h"

#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace morvek::audio {
namespace {

constexpr std::wstring_view kSupportFeature = L"GetSupportFeature";
constexpr int32_t kPlaybackKinds[] = {1, 12, 7, 4};
constexpr int32_t kRecordingKind = 2;
constexpr int32_t kUsableState = 1;
constexpr size_t kFeatureItems = 7;
constexpr size_t kFeatureItemIndex[] = {0, 4, 6};
// A library that claims more devices than this is not asked for the rest.
constexpr uint32_t kMaxDevices = 256;

std::vector<AudioDeviceInfo> ListDevices(const AudioEntryPoints& entries, int32_t flow) {
    std::vector<AudioDeviceInfo> devices;
    uint32_t count = 0;
    if (!entries.getDeviceCount || !entries.getDeviceById) return devices;
    if (entries.getDeviceCount(flow, &count) != kAudioCallOk) return devices;
    for (uint32_t i = 0; i < count && i < kMaxDevices; ++i) {
        AudioDeviceInfo info;
        if (entries.getDeviceById(flow, i, &info) == kAudioCallOk) devices.push_back(info);
    }
    return devices;
}

// The text up to its terminator, never past the end of the buffer.
std::wstring BufferText(const std::array<wchar_t, kAudioBufferChars>& buffer) {
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
}

uint32_t DecimalItem(const std::wstring& item) { return static_cast<uint32_t>(std::wcstoul(item.c_str(), nullptr, 10)); }

}  // namespace

std::optional<std::array<uint32_t, 3>> ParseFeatureWords(std::wstring_view text) {
    std::vector<std::wstring> items;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(L',', start);
        items.emplace_back(text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start));
        if (comma == std::wstring_view::npos) break;
        start = comma + 1;
    }
    if (items.size() < kFeatureItems) return std::nullopt;
    std::array<uint32_t, 3> words{};
    for (size_t w = 0; w < words.size(); ++w) words[w] = DecimalItem(items[kFeatureItemIndex[w]]);
    return words;
}

AudioConfigBinding::AudioConfigBinding(std::optional<AudioEntryPoints> entries, MessageSink messages)
    : entries_(std::move(entries)), messages_(std::move(messages)) {}

bool AudioConfigBinding::Start() {
    if (!entries_) return false;
    if (entries_->confLibInit && entries_->confLibInit() != kAudioCallOk) Show(kConfLibInitFailedMessage);
    if (entries_->createDeviceList) entries_->createDeviceList();
    uint32_t playbackCount = 0;
    if (!entries_->getDeviceCount || entries_->getDeviceCount(kFlowPlayback, &playbackCount) != kAudioCallOk ||
        playbackCount == 0) {
        return false;
    }
    active_ = true;
    ChooseDevices();
    return true;
}

void AudioConfigBinding::ChooseDevices() {
    const std::vector<AudioDeviceInfo> playback = ListDevices(*entries_, kFlowPlayback);
    for (int32_t kind : kPlaybackKinds) {
        bool found = false;
        for (const AudioDeviceInfo& info : playback) {
            if (info.kind == kind && info.state == kUsableState) {
                playback_.info = info;
                found = true;
                break;
            }
        }
        if (found) break;
    }
    for (const AudioDeviceInfo& info : ListDevices(*entries_, kFlowRecording)) {
        if (info.kind == kRecordingKind) {
            recording_.info = info;
            break;
        }
    }
    ReadFeatures(recording_);
    ReadFeatures(playback_);
}

void AudioConfigBinding::ReadFeatures(ChosenAudioDevice& device) {
    if (!device.Present()) return;
    const std::optional<std::wstring> text = ReadText(device, kSupportFeature);
    const auto words = text ? ParseFeatureWords(*text) : std::nullopt;
    if (words) {
        device.features = *words;
    } else {
        Show(kFeatureReadFailedMessage);
    }
}

int AudioConfigBinding::Call(const ChosenAudioDevice& device, std::wstring_view name, PropertyParameter parameter,
                             int write, std::array<wchar_t, kAudioBufferChars>& value) const {
    if (!active_ || !entries_->propertyControl) return -1;
    std::array<wchar_t, kAudioBufferChars> parameterBuffer{};
    void* parameterAddress = parameterBuffer.data();
    switch (parameter.form) {
    case PropertyParameter::Form::None: break;
    case PropertyParameter::Form::Cleared: break;
    case PropertyParameter::Form::Channel:
        std::memcpy(parameterBuffer.data(), &parameter.channel, sizeof(parameter.channel));
        break;
    case PropertyParameter::Form::SurroundRecord: {
        const int32_t record[3] = {4, -1, 0};
        std::memcpy(parameterBuffer.data(), record, sizeof(record));
        break;
    }
    }
    void* valueAddress = value.data();
    const std::wstring nameText(name);
    void** parameterArgument = parameter.form == PropertyParameter::Form::None ? nullptr : &parameterAddress;
    return entries_->propertyControl(device.info, nameText.c_str(), &valueAddress, parameterArgument, write);
}

std::optional<std::wstring> AudioConfigBinding::ReadText(const ChosenAudioDevice& device, std::wstring_view name,
                                                         PropertyParameter parameter) const {
    std::array<wchar_t, kAudioBufferChars> value{};
    if (Call(device, name, parameter, kAudioRead, value) != kAudioCallOk) return std::nullopt;
    return BufferText(value);
}

std::optional<double> AudioConfigBinding::ReadNumber(const ChosenAudioDevice& device, std::wstring_view name,
                                                     PropertyParameter parameter) const {
    const std::optional<std::wstring> text = ReadText(device, name, parameter);
    if (!text) return std::nullopt;
    wchar_t* end = nullptr;
    const double number = std::wcstod(text->c_str(), &end);
    if (end == text->c_str()) return std::nullopt;
    return number;
}

bool AudioConfigBinding::WriteInt(const ChosenAudioDevice& device, std::wstring_view name, int32_t value,
                                  PropertyParameter parameter) const {
    std::array<wchar_t, kAudioBufferChars> buffer{};
    std::memcpy(buffer.data(), &value, sizeof(value));
    return Call(device, name, parameter, kAudioWrite, buffer) == kAudioCallOk;
}

bool AudioConfigBinding::WriteFloat(const ChosenAudioDevice& device, std::wstring_view name, float value,
                                    PropertyParameter parameter) const {
    std::array<wchar_t, kAudioBufferChars> buffer{};
    std::memcpy(buffer.data(), &value, sizeof(value));
    return Call(device, name, parameter, kAudioWrite, buffer) == kAudioCallOk;
}

bool AudioConfigBinding::EnsureProperty(const ChosenAudioDevice& device, std::wstring_view name,
                                        PropertyParameter readParameter, PropertyParameter writeParameter) const {
    if (ReadText(device, name, readParameter)) return true;
    return WriteInt(device, name, 0, writeParameter);
}

void AudioConfigBinding::Show(const std::string& message) const {
    if (messages_) messages_(message);
}

}  // namespace morvek::audio
