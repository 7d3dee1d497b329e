#pragma once
// One macro's events: "<Guid>.mac" in the kind's data folder,
// {"MacroName", "Guid", "Events": [MacroEvent...], "Version": 64}. Only "Events" is read back;
// the list's name and Guid are the authoritative ones.

#include <json/value.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroEvent.h"

namespace morvek {

class MacroFile {
public:
    static constexpr const char* kExtension = ".mac";
    static constexpr int kVersion = 64;

    // folder / (guid + ".mac") when guid is a plain time-stamp id; nothing for any other
    // text, so a tampered list can never name a file outside the folder.
    static std::optional<std::filesystem::path> PathFor(const std::filesystem::path& folder, const std::string& guid);

    // The "Events" array of a macro file; an empty array when the file is missing, broken or has none.
    static Json::Value ReadEvents(const std::filesystem::path& path);
    static std::vector<MacroEvent> ReadMacroEvents(const std::filesystem::path& path);
    // The events of a parsed macro file; none when it is not a macro document.
    static std::vector<MacroEvent> EventsOf(const Json::Value& document);

    // The file document for a macro.
    static Json::Value Document(const std::string& name, const std::string& guid, const Json::Value& events);

    // True when a parsed document looks like a macro file: an object with an "Events" array.
    static bool IsMacroDocument(const Json::Value& document);
};

}  // namespace morvek
