#pragma once
// Small documents and file helpers for the profile tests.

#include <json/reader.h>
#include <json/value.h>
#include <json/writer.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace morvek::test {

inline Json::Value ParseJson(const std::string& text) {
    Json::Value value;
    std::istringstream in(text);
    Json::CharReaderBuilder builder;
    std::string errors;
    if (!Json::parseFromStream(builder, in, &value, &errors)) throw std::runtime_error("bad fixture: " + errors);
    return value;
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline void WriteJson(const std::filesystem::path& path, const Json::Value& value) {
    WriteText(path, Json::StyledWriter().write(value));
}

// A file the program wrote must hold exactly what the styled writer makes of its value.
inline bool IsStyledJson(const std::filesystem::path& path) {
    const std::string text = ReadText(path);
    return !text.empty() && text == Json::StyledWriter().write(ParseJson(text));
}

// A small template of a kind: a device section with a few members and a member of its own.
inline Json::Value TemplateDocument(const std::string& marker) {
    return ParseJson(R"({
        "profilename": "template", "profileUUID": "template", "shipped": ")" + marker + R"(",
        "Device": [ {
            "LightInfo": {"SelectItem": 3, "Light": 4, "Speed": 2, "Fx": 1, "MultiColor": 0,
                          "Red": 255, "Green": 0, "Blue": 16, "CustomGroup": 0},
            "KeyList": [ {"Assignment": 2097156, "DefaultAssignment": 2097156},
                         {"Assignment": 2097157, "DefaultAssignment": 2097157} ],
            "CustomEQNameInfo": [],
            "EQHzValueInfo": [ [], [ {"value": 1}, {"value": 2}, {"value": 3}, {"value": 4}, {"value": 5},
                                     {"value": 6}, {"value": 7}, {"value": 8}, {"value": 9}, {"value": 10} ] ]
        } ]
    })");
}

}  // namespace morvek::test
