#pragma once
// Runs morvekctl in-process for the CLI tests and reads what it wrote.

#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Morvekctl.h"

namespace morvek::test {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::RunMorvekctl(args, out, err);
    return {status, out.str(), err.str()};
}

// Runs with --data-dir root/data and, when defaults is set, --default-data root/DefaultData.
inline CliRun RunCliIn(const std::filesystem::path& root, std::vector<std::string> args, bool defaults = true) {
    std::vector<std::string> full = {"--data-dir", (root / "data").string()};
    if (defaults) full.insert(full.end(), {"--default-data", (root / "DefaultData").string()});
    full.insert(full.end(), args.begin(), args.end());
    return RunCli(full);
}

// Every command line of cases is refused as wrong (exit 2, a message on stderr).
template <typename Runner>
void ExpectUsageErrors(const std::vector<std::vector<std::string>>& cases, Runner run) {
    for (const auto& args : cases) {
        const CliRun r = run(args);
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_FALSE(r.err.empty()) << joined;
    }
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline Json::Value ParseJson(const std::string& text) {
    Json::Value v;
    std::istringstream in(text);
    Json::CharReaderBuilder builder;
    std::string errors;
    EXPECT_TRUE(Json::parseFromStream(builder, in, &v, &errors)) << errors << text;
    return v;
}

inline Json::Value ReadJson(const std::filesystem::path& path) { return ParseJson(ReadText(path)); }

}  // namespace morvek::test
