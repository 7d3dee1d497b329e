#pragma once
// The program's side of the audio configuration library: start-up (initialise, build the
// device list, choose the playback and recording devices, read their feature words) and the
// property calls with their 1024-byte value and parameter buffers. Without a library (or
// without a playback device) the binding stays idle and every property call fails.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/audio/AudioLibrary.h"

namespace morvek::audio {

inline constexpr const char* kConfLibInitFailedMessage = "ConfLibInit called failed!";
inline constexpr const char* kFeatureReadFailedMessage = "UpdateAPOAvailable failed!";

// Feature word 0 of the recording device: the voice changer exists.
inline constexpr uint32_t kVoiceChangerFeature = 0x20000;

// A chosen device: its record and three feature words. Zeroed: no device.
struct ChosenAudioDevice {
    AudioDeviceInfo info;
    std::array<uint32_t, 3> features{};

    bool Present() const { return info.kind > 0; }
};

// What goes into the parameter buffer of a property call.
struct PropertyParameter {
    enum class Form { None, Channel, Cleared, SurroundRecord };
    Form form = Form::None;
    int32_t channel = 0;

    static PropertyParameter None() { return {}; }
    static PropertyParameter Channel(int32_t channel) { return {Form::Channel, channel}; }
    static PropertyParameter Cleared() { return {Form::Cleared, 0}; }
    // The three integers 4, -1, 0 of "VirtualSurroundEffectControl".
    static PropertyParameter SurroundRecord() { return {Form::SurroundRecord, 0}; }
};

class AudioConfigBinding {
public:
    using MessageSink = std::function<void(const std::string& message)>;

    // entries: the loaded library, or nothing (the binding stays idle). messages: where the
    // library's failure messages are shown.
    AudioConfigBinding(std::optional<AudioEntryPoints> entries, MessageSink messages);

    // ConfLibInit (a failure is shown and otherwise ignored), CreateDeviceList, the playback
    // count, then the device choice with the feature words. False when there is no library or
    // no playback device: the audio part stays idle.
    bool Start();
    bool Active() const { return active_; }
    bool LibraryLoaded() const { return entries_.has_value(); }

    const ChosenAudioDevice& Playback() const { return playback_; }
    const ChosenAudioDevice& Recording() const { return recording_; }
    bool HasVoiceChanger() const { return (recording_.features[0] & kVoiceChangerFeature) != 0; }

    // A read: the value text, or nothing when the call failed (or the binding is idle).
    std::optional<std::wstring> ReadText(const ChosenAudioDevice& device, std::wstring_view name,
                                         PropertyParameter parameter = {}) const;
    // A read converted as a decimal number; nothing when the call failed or the text holds no number.
    std::optional<double> ReadNumber(const ChosenAudioDevice& device, std::wstring_view name,
                                     PropertyParameter parameter = {}) const;
    bool WriteInt(const ChosenAudioDevice& device, std::wstring_view name, int32_t value,
                  PropertyParameter parameter = {}) const;
    bool WriteFloat(const ChosenAudioDevice& device, std::wstring_view name, float value,
                    PropertyParameter parameter = {}) const;
    // Reads the property; when that fails, writes 0 with writeParameter. True when it exists now.
    bool EnsureProperty(const ChosenAudioDevice& device, std::wstring_view name, PropertyParameter readParameter,
                        PropertyParameter writeParameter) const;

private:
    void ChooseDevices();
    void ReadFeatures(ChosenAudioDevice& device);
    // One PropertyControl call with freshly cleared buffers; value holds the four value bytes
    // of a write and receives the answer of a read.
    int Call(const ChosenAudioDevice& device, std::wstring_view name, PropertyParameter parameter, int write,
             std::array<wchar_t, kAudioBufferChars>& value) const;
    void Show(const std::string& message) const;

    std::optional<AudioEntryPoints> entries_;
    MessageSink messages_;
    bool active_ = false;
    ChosenAudioDevice playback_;
    ChosenAudioDevice recording_;
};

// The feature words of a "GetSupportFeature" answer: items 0, 4 and 6 of the comma-separated
// list; nothing with fewer than seven items.
std::optional<std::array<uint32_t, 3>> ParseFeatureWords(std::wstring_view text);

}  // namespace morvek::audio
