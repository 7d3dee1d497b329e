#pragma once
// The shared JSON file helpers: every JSON file of the program is read whole and written whole
// in the styled layout (keys in ascending order, three-space indentation).

#include <json/value.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace morvek {

// Largest JSON file the program reads; a profile is a few hundred kilobytes at most.
constexpr size_t kMaxJsonFileBytes = 8u << 20;

// The parsed file; a null value when the file is missing, empty, too large, nested too deep
// or not valid JSON.
Json::Value readjsonFile(const std::filesystem::path& path);

// The parsed text; a null value when it is empty, nested too deep or not valid JSON.
Json::Value ParseJsonText(std::string_view text);

// Writes value in the styled layout, replacing the file only once the new content is complete.
// 0 on success, -1 when the file could not be written (the old content stays).
int WriteJsonFile(const std::filesystem::path& path, const Json::Value& value);

// The text WriteJsonFile writes for value.
std::string StyledJsonText(const Json::Value& value);

}  // namespace morvek
