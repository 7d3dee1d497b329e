#include "profiles/Hs6533Profiledata.h"

#include "profiles/JsonAccess.h"

namespace morvek {
namespace {

constexpr const char* kSystemKeys[] = {"MagicEnable",       "MagicType",  "EqType",           "CustomEqSeletIndex",
                                       "MicInSelect",       "MicInValue", "MicMoniterSelect", "MicMoniterValue"};

std::vector<int> ReadBands(Json::Value& bands) {
    std::vector<int> values;
    for (Json::ArrayIndex b = 0; b < CHs6533Profiledata::kBandCount; ++b) {
        Json::Value& band = Element(bands, b);
        if (!band.isObject()) {
            band = Json::Value(Json::objectValue);
            band["value"] = 0;
        }
        values.push_back(static_cast<int>(JsonInteger(Get(band, "value"))));
    }
    return values;
}

void WriteBands(Json::Value& bands, const EqBandValues& values) {
    for (Json::ArrayIndex b = 0; b < values.size(); ++b) Member(Element(bands, b), "value") = values[b];
}

bool ValidPreset(int preset) { return preset >= 0 && preset < CHs6533Profiledata::kMaxCustomEqPresets; }

}  // namespace

int CHs6533Profiledata::EqSlot(int type) {
    if (type == kCustomEqType) return -1;
    return type >= 1 && type <= 12 ? type : 1;
}

HeadsetSystemValues CHs6533Profiledata::ReadHeadsetSystem() {
    const Json::Value& stages = Get(Section(), "SystemSetStages");
    for (size_t i = 0; i < system_.size(); ++i) system_[i] = static_cast<int>(JsonInteger(Get(stages, kSystemKeys[i])));
    return system_;
}

void CHs6533Profiledata::WriteHeadsetSystem(const HeadsetSystemValues& values) {
    system_ = values;
    Json::Value& stages = Member(Section(), "SystemSetStages");
    for (size_t i = 0; i < values.size(); ++i) Member(stages, kSystemKeys[i]) = values[i];
}

std::vector<int> CHs6533Profiledata::ReadEqBands(int type) {
    const int slot = EqSlot(type);
    if (slot < 0) return {};
    return ReadBands(Element(Member(Section(), "EQHzValueInfo"), Json::ArrayIndex(slot)));
}

void CHs6533Profiledata::WriteEqBands(int type, const EqBandValues& values) {
    const int slot = EqSlot(type);
    if (slot < 0) return;
    WriteBands(Element(Member(Section(), "EQHzValueInfo"), Json::ArrayIndex(slot)), values);
}

std::vector<std::string> CHs6533Profiledata::ReadCustomEqNames() const {
    std::vector<std::string> names;
    const Json::Value& list = Get(Section(), "CustomEQNameInfo");
    if (!list.isArray()) return names;
    for (const Json::Value& entry : list) names.push_back(JsonString(Get(entry, "Name")));
    return names;
}

void CHs6533Profiledata::WriteCustomEqNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::string& name : names) {
        Json::Value entry(Json::objectValue);
        entry["Name"] = name;
        list.append(entry);
    }
    Member(Section(), "CustomEQNameInfo") = list;
}

std::vector<int> CHs6533Profiledata::ReadCustomEqBands(int preset) {
    if (!ValidPreset(preset)) return {};
    return ReadBands(Element(Member(Section(), "CustomEQHzValueInfo"), Json::ArrayIndex(preset)));
}

void CHs6533Profiledata::WriteCustomEqBands(int preset, const EqBandValues& values) {
    if (!ValidPreset(preset)) return;
    WriteBands(Element(Member(Section(), "CustomEQHzValueInfo"), Json::ArrayIndex(preset)), values);
}

void CHs6533Profiledata::RemoveCustomEqBands(int preset) {
    if (!ValidPreset(preset) || !Get(Section(), "CustomEQHzValueInfo").isArray()) return;
    Json::Value removed;
    Member(Section(), "CustomEQHzValueInfo").removeIndex(Json::ArrayIndex(preset), &removed);
}

}  // namespace morvek
