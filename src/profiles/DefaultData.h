#pragma once
// The files every profile of a kind shares: the default data beside the program (light effect
// names, language list; the templates are in ProfileFiles.h) and the configuration files in
// the kind's profile folder (user light effects, macro names). The program only reads them.

#include <json/value.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvek {

inline constexpr const char* kDefaultLightFileName = "default_light.json";
inline constexpr const char* kLanguageListFileName = "Language.config";
inline constexpr const char* kMacroListFileName = "macro.config";
inline constexpr const char* kSharedMacroListFileName = "velko_macro.config";

std::filesystem::path DefaultLightFile(const std::filesystem::path& defaultDataFolder);
std::filesystem::path LanguageListFile(const std::filesystem::path& defaultDataFolder);
// The kind's light configuration: profileFolder / light configuration name + ".config".
std::filesystem::path LightConfigFile(const std::filesystem::path& profileFolder, uint16_t kind);
// Where a kind's page finds its macro names: "macro.config" for the keyboard and the mouse,
// which edit macros, "velko_macro.config" for the others.
std::filesystem::path MacroNameListFile(const std::filesystem::path& profileFolder, uint16_t kind);

// The DeviceClassNumber of a kind (0 keyboard, 1 mouse, 2 mouse pad, 3 headset); -1 for others.
int DeviceClassOfKind(uint16_t kind);

struct LightEffectName {
    std::string name;      // a text id or a name, UTF-8
    bool visible = true;   // false hides the effect from the effect choice

    bool operator==(const LightEffectName&) const = default;
};

struct LanguageEntry {
    std::string text;   // label in the language choice
    std::string name;   // language name for the user interface
    std::string file;   // language file
    int id = 0;         // the number kept in the settings

    bool operator==(const LanguageEntry&) const = default;
};

// "MacroInfo"[i]."MacroName" in order.
std::vector<std::string> ReadMacroNames(const Json::Value& macroList);
// "DefaultLightName"[classNumber]; nothing when that element is missing.
std::optional<std::vector<LightEffectName>> ReadDefaultLightNames(const Json::Value& defaultLight, int classNumber);
// "AreaLightName"[classNumber]; nothing when that element is missing.
std::optional<std::vector<std::string>> ReadAreaLightNames(const Json::Value& defaultLight, int classNumber);
// "LightInfo"[classNumber]."LightName" of a light configuration; nothing when missing.
std::optional<std::vector<std::string>> ReadUserLightNames(const Json::Value& lightConfig, int classNumber);
// "Language" in order.
std::vector<LanguageEntry> ReadLanguageList(const Json::Value& languageList);

// The name lists a device page offers: macros, built-in effects, light areas, user effects.
struct PageNameLists {
    std::vector<std::string> macroNames;
    std::vector<LightEffectName> effects;
    std::vector<std::string> areas;
    std::vector<std::string> userEffects;

    // Refills the lists from the files. The macro list is always refilled (empty without its
    // file); a light list whose element is missing keeps what it had.
    void Load(uint16_t kind, const std::filesystem::path& profileFolder,
              const std::filesystem::path& defaultDataFolder);
};

}  // namespace morvek
