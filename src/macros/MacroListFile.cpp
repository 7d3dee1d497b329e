#include "macros/MacroListFile.h"

#include "profiles/JsonFile.h"

namespace morvek {
namespace {

std::string StringMember(const Json::Value& object, const char* key) {
    if (!object.isObject()) return {};
    const Json::Value& member = object[key];
    return member.isString() ? member.asString() : std::string();
}

}  // namespace

Json::Value MacroListFile::Read() const {
    MacroListState state = MacroListState::kRead;
    return Read(state);
}

Json::Value MacroListFile::Read(MacroListState& state) const {
    JsonFileRead read = ReadJsonFile(Path());
    state = read.state == JsonFileState::kNotRegular ? MacroListState::kNotRegular
            : read.state == JsonFileState::kDamaged || (read.state == JsonFileState::kRead && !read.value.isObject())
                ? MacroListState::kDamaged
                : MacroListState::kRead;
    if (!read.value.isObject()) return Json::Value(Json::objectValue);
    return std::move(read.value);
}

std::optional<std::vector<MacroInfo>> MacroListFile::ReadableEntries() const {
    MacroListState state = MacroListState::kRead;
    const Json::Value list = Read(state);
    if (state != MacroListState::kRead) return std::nullopt;
    return Entries(list);
}

int MacroListFile::Write(const Json::Value& list) const { return WriteJsonFile(Path(), list); }

std::vector<MacroInfo> MacroListFile::Entries(const Json::Value& list) {
    std::vector<MacroInfo> entries;
    if (!list.isObject() || !list["MacroInfo"].isArray()) return entries;
    for (const Json::Value& element : list["MacroInfo"])
        entries.push_back({StringMember(element, "MacroName"), StringMember(element, "Guid")});
    return entries;
}

int MacroListFile::Selected(const Json::Value& list) {
    if (!list.isObject()) return -1;
    const Json::Value& selected = list["MacroSelect"];
    if (!selected.isInt()) return -1;
    const int index = selected.asInt();
    return index >= 0 && static_cast<size_t>(index) < Entries(list).size() ? index : -1;
}

}  // namespace morvek
