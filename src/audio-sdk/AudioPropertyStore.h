#pragma once
// The property values the library keeps per device, persisted as one JSON file so that they
// survive the program: {"playback": {"EQ_Slider1": 7, ...}, "recording": {...}}.

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/audio/AudioLibraryAbi.h"

namespace morvek::audiosdk {

class AudioPropertyStore {
public:
    // The file in the user's data folder.
    static std::filesystem::path DefaultFile();

    // Keeps its values in file from now on and replaces the values in memory with the file's
    // (none when it is missing or broken).
    void Load(std::filesystem::path file);
    std::optional<double> Get(audio::AudioDataFlow flow, const std::string& name) const;
    // Keeps the value and writes the file; when the file cannot be written the old value stays
    // and the result is false.
    bool Set(audio::AudioDataFlow flow, const std::string& name, double value);

private:
    using Values = std::map<std::string, double>;
    bool Save(const std::map<audio::AudioDataFlow, Values>& values) const;

    std::filesystem::path file_;
    mutable std::mutex mutex_;
    std::map<audio::AudioDataFlow, Values> values_;
};

}  // namespace morvek::audiosdk
