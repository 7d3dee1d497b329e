#include "macros/MacroFile.h"

#include "profiles/JsonFile.h"
#include "profiles/TimeStampId.h"

namespace morvek {

std::optional<std::filesystem::path> MacroFile::PathFor(const std::filesystem::path& folder,
                                                        const std::string& guid) {
    if (!IsPlainTimeStampId(guid)) return std::nullopt;
    return folder / (guid + kExtension);
}

Json::Value MacroFile::ReadEvents(const std::filesystem::path& path) {
    const Json::Value document = readjsonFile(path);
    if (!IsMacroDocument(document)) return Json::Value(Json::arrayValue);
    return document["Events"];
}

std::vector<MacroEvent> MacroFile::ReadMacroEvents(const std::filesystem::path& path) {
    return EventsOf(readjsonFile(path));
}

std::vector<MacroEvent> MacroFile::EventsOf(const Json::Value& document) {
    std::vector<MacroEvent> events;
    if (!IsMacroDocument(document)) return events;
    for (const Json::Value& element : document["Events"]) events.push_back(MacroEvent::FromJson(element));
    return events;
}

Json::Value MacroFile::Document(const std::string& name, const std::string& guid, const Json::Value& events) {
    Json::Value document(Json::objectValue);
    document["MacroName"] = name;
    document["Guid"] = guid;
    document["Events"] = events.isArray() ? events : Json::Value(Json::arrayValue);
    document["Version"] = kVersion;
    return document;
}

bool MacroFile::IsMacroDocument(const Json::Value& document) {
    return document.isObject() && document["Events"].isArray();
}

}  // namespace morvek
