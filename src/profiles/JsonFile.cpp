#include "profiles/JsonFile.h"

#include <json/reader.h>
#include <json/writer.h>

#include <memory>

#include "platform/FileIo.h"
#include "platform/Trace.h"

namespace morvek {

std::optional<Json::Value> ParseJsonText(std::string_view text) {
    Json::CharReaderBuilder builder;
    // Comments are read past but not kept: written back, the styled writer can put a closing
    // bracket inside a kept end-of-line comment, and the file would no longer read.
    builder["collectComments"] = false;
    builder["stackLimit"] = kMaxJsonDepth;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) return std::nullopt;
    } catch (const Json::Exception&) {
        // jsoncpp throws when a document nests deeper than its stack limit.
        return std::nullopt;
    }
    return root;
}

JsonFileRead ReadJsonFile(const std::filesystem::path& path) {
    const FileContent content = ReadFileContent(path, kMaxJsonFileBytes);
    switch (content.state) {
        case FileReadState::kMissing: return {Json::Value(), JsonFileState::kMissing};
        case FileReadState::kNotRegular:
            Trace("readjsonFile: not a regular file: " + path.string());
            return {Json::Value(), JsonFileState::kNotRegular};
        case FileReadState::kTooLarge:
        case FileReadState::kUnreadable: break;
        case FileReadState::kRead:
            if (content.text.empty()) break;
            if (std::optional<Json::Value> root = ParseJsonText(content.text))
                return {std::move(*root), JsonFileState::kRead};
            break;
    }
    Trace("readjsonFile: " + path.string());
    return {Json::Value(), JsonFileState::kDamaged};
}

Json::Value readjsonFile(const std::filesystem::path& path) { return ReadJsonFile(path).value; }

std::string StyledJsonText(const Json::Value& value) {
    Json::StyledWriter writer;
    return writer.write(value);
}

int WriteJsonFile(const std::filesystem::path& path, const Json::Value& value) {
    return WriteFileAtomically(path, StyledJsonText(value)) ? 0 : -1;
}

}  // namespace morvek
