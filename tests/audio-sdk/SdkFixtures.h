#pragma once
// Calls of the library's C interface from tests: a read into a 1024-byte buffer, writes of an
// integer or a float, and a mixer link whose card is a map of values.

#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "audio-sdk/MixerLink.h"
#include "platform/audio/AudioLibraryAbi.h"

namespace morvek::audiosdk::test {

using Buffer = std::array<wchar_t, audio::kAudioBufferChars>;

template <class PropertyControl>
int ReadProperty(PropertyControl&& call, audio::AudioDeviceInfo device, const wchar_t* name, std::wstring& text) {
    Buffer value{};
    void* address = value.data();
    const int result = call(device, name, &address, nullptr, audio::kAudioRead);
    text = value.data();
    return result;
}

template <class PropertyControl, class T>
int WriteProperty(PropertyControl&& call, audio::AudioDeviceInfo device, const wchar_t* name, T number) {
    static_assert(sizeof(T) == 4);
    Buffer value{};
    std::memcpy(value.data(), &number, sizeof(number));
    Buffer parameter{};
    const int32_t allChannels = audio::kAllChannels;
    std::memcpy(parameter.data(), &allChannels, sizeof(allChannels));
    void* valueAddress = value.data();
    void* parameterAddress = parameter.data();
    return call(device, name, &valueAddress, &parameterAddress, audio::kAudioWrite);
}

// A card with the controls in values; writes change them unless failWrites is set.
class FakeMixer final : public IMixerLink {
public:
    explicit FakeMixer(std::map<MixerTarget, double>& card, bool failWrites = false)
        : card_(card), failWrites_(failWrites) {}
    bool Maps(MixerTarget target) const override { return card_.contains(target); }
    std::optional<double> Read(MixerTarget target) const override {
        const auto it = card_.find(target);
        return it == card_.end() ? std::nullopt : std::optional<double>(it->second);
    }
    bool Write(MixerTarget target, double value) override {
        if (failWrites_ || !Maps(target)) return false;
        card_[target] = value;
        return true;
    }

private:
    std::map<MixerTarget, double>& card_;
    bool failWrites_;
};

}  // namespace morvek::audiosdk::test
