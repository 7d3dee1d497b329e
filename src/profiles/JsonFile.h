#pragma once
// The shared JSON file helpers: every JSON file of the program is read whole and written whole
// in the styled layout (keys in ascending order, three-space indentation). Both wait for the
// queued writes of their file first (FileWriteQueue, through the file helpers).

#include <json/value.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvek {

// Largest JSON file the program reads; a profile is a few hundred kilobytes at most.
constexpr size_t kMaxJsonFileBytes = 8u << 20;
// Deepest nesting the reader takes; the program's own files nest six levels at most.
constexpr int kMaxJsonDepth = 256;

enum class JsonFileState {
    kRead,        // parsed
    kMissing,     // no file
    kNotRegular,  // a folder, FIFO, device or socket in place of the file: not opened
    kDamaged,     // a regular file that is empty, too large, unreadable or not JSON
};

struct JsonFileRead {
    Json::Value value;  // null unless state is kRead
    JsonFileState state = JsonFileState::kMissing;
};

// Parses text as the files are parsed (comments allowed but not kept, nesting limited); nothing
// when it is not JSON. The document readers take what it gives, so they can be tried without files.
std::optional<Json::Value> ParseJsonText(std::string_view text);

// The parsed file and what became of the read.
JsonFileRead ReadJsonFile(const std::filesystem::path& path);

// The parsed file; a null value when the file is missing, empty, too large, nested too deep,
// not a regular file or not valid JSON.
Json::Value readjsonFile(const std::filesystem::path& path);

// Writes value in the styled layout, replacing the file only once the new content is complete.
// 0 on success, -1 when the file could not be written (the old content stays).
int WriteJsonFile(const std::filesystem::path& path, const Json::Value& value);

// The text WriteJsonFile writes for value.
std::string StyledJsonText(const Json::Value& value);

}  // namespace morvek
