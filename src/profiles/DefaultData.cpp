#include "profiles/DefaultData.h"

#include <string>

#include "devicelink/DeviceKinds.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"

namespace morvek {
namespace {

// The array of a class, or nothing when the file has no such element.
const Json::Value* ClassElement(const Json::Value& file, const char* key, int classNumber) {
    if (classNumber < 0) return nullptr;
    const Json::Value& element = At(Get(file, key), Json::ArrayIndex(classNumber));
    return element.isArray() ? &element : nullptr;
}

std::optional<std::vector<std::string>> LightNames(const Json::Value& file, const char* key, int classNumber) {
    const Json::Value* element = ClassElement(file, key, classNumber);
    if (element == nullptr) return std::nullopt;
    std::vector<std::string> names;
    for (const Json::Value& entry : *element) names.push_back(JsonString(Get(entry, "LightName")));
    return names;
}

}  // namespace

std::filesystem::path DefaultLightFile(const std::filesystem::path& defaultDataFolder) {
    return defaultDataFolder / kDefaultLightFileName;
}

std::filesystem::path LanguageListFile(const std::filesystem::path& defaultDataFolder) {
    return defaultDataFolder / kLanguageListFileName;
}

std::filesystem::path LightConfigFile(const std::filesystem::path& profileFolder, uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr ? profileFolder / (std::string(row->Page().lightConfigName) + ".config")
                          : std::filesystem::path();
}

std::filesystem::path MacroNameListFile(const std::filesystem::path& profileFolder, uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return profileFolder / (row != nullptr && row->hasMacros ? kMacroListFileName : kSharedMacroListFileName);
}

int DeviceClassOfKind(uint16_t kind) {
    const DeviceKindRow* row = FindDeviceKind(kind);
    return row != nullptr ? row->Page().classNumber : -1;
}

std::vector<std::string> ReadMacroNames(const Json::Value& macroList) {
    std::vector<std::string> names;
    const Json::Value& macros = Get(macroList, "MacroInfo");
    if (!macros.isArray()) return names;
    for (const Json::Value& macro : macros) names.push_back(JsonString(Get(macro, "MacroName")));
    return names;
}

std::optional<std::vector<LightEffectName>> ReadDefaultLightNames(const Json::Value& defaultLight, int classNumber) {
    const Json::Value* element = ClassElement(defaultLight, "DefaultLightName", classNumber);
    if (element == nullptr) return std::nullopt;
    std::vector<LightEffectName> names;
    for (const Json::Value& entry : *element) {
        // Only an explicit false (or 0) hides an effect.
        const Json::Value& visible = Get(entry, "visible");
        names.push_back({JsonString(Get(entry, "LightName")), visible.isNull() || JsonBool(visible)});
    }
    return names;
}

std::optional<std::vector<std::string>> ReadAreaLightNames(const Json::Value& defaultLight, int classNumber) {
    return LightNames(defaultLight, "AreaLightName", classNumber);
}

std::optional<std::vector<std::string>> ReadUserLightNames(const Json::Value& lightConfig, int classNumber) {
    return LightNames(lightConfig, "LightInfo", classNumber);
}

std::vector<LanguageEntry> ReadLanguageList(const Json::Value& languageList) {
    std::vector<LanguageEntry> languages;
    const Json::Value& list = Get(languageList, "Language");
    if (!list.isArray()) return languages;
    for (const Json::Value& entry : list) {
        languages.push_back({JsonString(Get(entry, "Language_text")), JsonString(Get(entry, "Language_name")),
                             JsonString(Get(entry, "Language_file")),
                             static_cast<int>(JsonInteger(Get(entry, "Language_ID")))});
    }
    return languages;
}

void PageNameLists::Load(uint16_t kind, const std::filesystem::path& profileFolder,
                         const std::filesystem::path& defaultDataFolder) {
    macroNames = ReadMacroNames(readjsonFile(MacroNameListFile(profileFolder, kind)));
    const int classNumber = DeviceClassOfKind(kind);
    const Json::Value defaultLight = readjsonFile(DefaultLightFile(defaultDataFolder));
    if (auto names = ReadDefaultLightNames(defaultLight, classNumber)) effects = std::move(*names);
    if (auto names = ReadAreaLightNames(defaultLight, classNumber)) areas = std::move(*names);
    if (auto names = ReadUserLightNames(readjsonFile(LightConfigFile(profileFolder, kind)), classNumber))
        userEffects = std::move(*names);
}

}  // namespace morvek
