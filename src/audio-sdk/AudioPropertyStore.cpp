#include "audio-sdk/AudioPropertyStore.h"

#include <cmath>
#include <system_error>

#include "platform/Paths.h"
#include "profiles/JsonFile.h"

namespace morvek::audiosdk {
namespace {

constexpr const char* kFileName = "osConfLib.json";
constexpr double kLargestInteger = 2147483647.0;

const char* FlowKey(audio::AudioDataFlow flow) { return flow == audio::kFlowPlayback ? "playback" : "recording"; }

}  // namespace

std::filesystem::path AudioPropertyStore::DefaultFile() { return UserDataFolder() / kFileName; }

void AudioPropertyStore::Load(std::filesystem::path file) {
    std::map<audio::AudioDataFlow, Values> loaded;
    const Json::Value root = readjsonFile(file);
    if (root.isObject()) {
        for (audio::AudioDataFlow flow : {audio::kFlowPlayback, audio::kFlowRecording}) {
            const Json::Value& device = root[FlowKey(flow)];
            if (!device.isObject()) continue;
            for (const std::string& name : device.getMemberNames()) {
                if (device[name].isNumeric()) loaded[flow][name] = device[name].asDouble();
            }
        }
    }
    std::lock_guard lock(mutex_);
    file_ = std::move(file);
    values_ = std::move(loaded);
}

std::optional<double> AudioPropertyStore::Get(audio::AudioDataFlow flow, const std::string& name) const {
    std::lock_guard lock(mutex_);
    const auto device = values_.find(flow);
    if (device == values_.end()) return std::nullopt;
    const auto value = device->second.find(name);
    if (value == device->second.end()) return std::nullopt;
    return value->second;
}

bool AudioPropertyStore::Set(audio::AudioDataFlow flow, const std::string& name, double value) {
    std::lock_guard lock(mutex_);
    auto changed = values_;
    changed[flow][name] = value;
    if (!Save(changed)) return false;
    values_ = std::move(changed);
    return true;
}

bool AudioPropertyStore::Save(const std::map<audio::AudioDataFlow, Values>& values) const {
    Json::Value root(Json::objectValue);
    for (const auto& [flow, device] : values) {
        Json::Value& out = root[FlowKey(flow)];
        for (const auto& [name, value] : device) {
            // Whole numbers are written as integers, so the file reads as the values were written.
            if (value == std::trunc(value) && std::fabs(value) <= kLargestInteger) {
                out[name] = static_cast<Json::Int>(value);
            } else {
                out[name] = value;
            }
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    return WriteJsonFile(file_, root) == 0;
}

}  // namespace morvek::audiosdk
