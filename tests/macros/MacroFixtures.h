#pragma once
// Macro folders for tests, written the way the program writes them.

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "macros/MacroEvent.h"
#include "macros/MacroFile.h"
#include "macros/MacroListFile.h"
#include "profiles/JsonFile.h"
#include "profiles/TimeStampId.h"

namespace morvek::test {

// The Guid of macro i in a fixture folder.
inline std::string FixtureGuid(size_t i) {
    return TimeStampIdAt(std::chrono::system_clock::time_point{} + std::chrono::hours(24 * 365 * 50) +
                         std::chrono::milliseconds(i));
}

inline MacroEvent KeyEvent(int usage, bool down, long long delay) {
    return {kMacroEventKey, usage, down, delay};
}

// "macro.config" listing macro_1.. and one ".mac" file per macro with these events.
inline void WriteMacroFolder(const std::filesystem::path& folder, const std::vector<std::vector<MacroEvent>>& macros) {
    Json::Value list(Json::objectValue);
    list["MacroInfo"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < macros.size(); ++i) {
        Json::Value entry;
        entry["MacroName"] = "macro_" + std::to_string(i + 1);
        entry["Guid"] = FixtureGuid(i);
        list["MacroInfo"].append(entry);
        Json::Value events(Json::arrayValue);
        for (const MacroEvent& e : macros[i]) events.append(e.ToJson());
        WriteJsonFile(*MacroFile::PathFor(folder, FixtureGuid(i)),
                      MacroFile::Document(entry["MacroName"].asString(), FixtureGuid(i), events));
    }
    WriteJsonFile(folder / MacroListFile::kFileName, list);
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

// While it lives, no file of this process can grow past one byte, so every file write fails
// (for root as well); reads are unaffected.
class FileSizeLimit {
public:
    FileSizeLimit() {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tiny{1, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace morvek::test
