#pragma once
// An audio configuration library in memory: devices per flow, answers per property name, and
// a record of every property call with its value and parameter bytes.

#include <array>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/audio/AudioLibrary.h"

namespace morvek::audio::testing {

struct PropertyCall {
    std::wstring name;
    uint32_t device = 0;
    int write = 0;
    int32_t value = 0;            // the first four value bytes of a write
    bool hasParameter = false;
    std::array<int32_t, 3> parameter{};  // the first twelve parameter bytes
};

class FakeAudioLibrary {
public:
    int initResult = 0;
    std::map<int32_t, std::vector<AudioDeviceInfo>> devices;
    // Read answers by property name; a missing name fails the read.
    std::map<std::wstring, std::wstring> answers;
    // Writes of these properties fail (a library that cannot keep its values).
    std::set<std::wstring> refusedWrites;
    std::vector<PropertyCall> calls;

    AudioEntryPoints Entries() {
        AudioEntryPoints e;
        e.confLibInit = [this] { return initResult; };
        e.createDeviceList = [] { return 0; };
        e.getDeviceCount = [this](int32_t flow, uint32_t* count) {
            *count = static_cast<uint32_t>(devices[flow].size());
            return 0;
        };
        e.getDeviceById = [this](int32_t flow, uint32_t index, AudioDeviceInfo* info) {
            if (index >= devices[flow].size()) return 1;
            *info = devices[flow][index];
            return 0;
        };
        e.propertyControl = [this](AudioDeviceInfo device, const wchar_t* name, void** value, void** parameter,
                                   int write) {
            PropertyCall call{name, device.id, write};
            std::memcpy(&call.value, *value, sizeof(call.value));
            if (parameter != nullptr) {
                call.hasParameter = true;
                std::memcpy(call.parameter.data(), *parameter, sizeof(call.parameter));
            }
            calls.push_back(call);
            if (write != 0) return refusedWrites.count(name) != 0 ? 1 : 0;
            const auto answer = answers.find(name);
            if (answer == answers.end()) return 1;
            std::memcpy(*value, answer->second.c_str(), (answer->second.size() + 1) * sizeof(wchar_t));
            return 0;
        };
        return e;
    }

    std::vector<std::wstring> CallNames() const {
        std::vector<std::wstring> names;
        for (const PropertyCall& c : calls) names.push_back(c.name);
        return names;
    }
};

}  // namespace morvek::audio::testing
