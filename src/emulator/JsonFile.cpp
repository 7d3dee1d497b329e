#include "emulator/JsonFile.h"

#include <fcntl.h>
#include <json/reader.h>
#include <json/writer.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace morvek::emulator {

bool ReadJsonFile(const std::string& path, Json::Value& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return false;
    }
    const std::string content = text.str();
    Json::CharReaderBuilder builder;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(content.data(), content.data() + content.size(), &out, &errors);
}

bool WriteJsonFile(const std::string& path, const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    const std::string text = Json::writeString(builder, value) + "\n";

    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        return false;
    }
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n <= 0) {
            break;
        }
        written += static_cast<size_t>(n);
    }
    const bool flushed = written == text.size() && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!flushed || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace morvek::emulator
