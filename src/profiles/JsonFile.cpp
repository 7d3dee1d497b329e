#include "profiles/JsonFile.h"

#include <json/reader.h>
#include <json/writer.h>

#include <memory>

#include "platform/FileIo.h"
#include "platform/Trace.h"

namespace morvek {

Json::Value ParseJsonText(std::string_view text) {
    if (text.empty()) return Json::Value();
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    builder["stackLimit"] = 256;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors)) return Json::Value();
    } catch (const Json::Exception&) {
        // jsoncpp throws when a document nests deeper than its stack limit.
        return Json::Value();
    }
    return root;
}

Json::Value readjsonFile(const std::filesystem::path& path) {
    const auto content = ReadWholeFile(path, kMaxJsonFileBytes);
    if (!content || content->empty()) {
        Trace("readjsonFile: " + path.string());
        return Json::Value();
    }
    return ParseJsonText(*content);
}

std::string StyledJsonText(const Json::Value& value) {
    Json::StyledWriter writer;
    return writer.write(value);
}

int WriteJsonFile(const std::filesystem::path& path, const Json::Value& value) {
    return WriteFileAtomically(path, StyledJsonText(value)) ? 0 : -1;
}

}  // namespace morvek
