#include "platform/Paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace morvek {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::filesystem::path UserDataFolder(const std::string& override) {
    if (!override.empty()) return override;
    if (const std::string dir = Environment("MORVEK_DATA_DIR"); !dir.empty()) return dir;
    std::filesystem::path base = Environment("XDG_DATA_HOME");
    if (base.empty() || base.is_relative()) base = std::filesystem::path(Environment("HOME")) / ".local" / "share";
    return base / kProductFolderName;
}

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

namespace {

// The build-tree folder when it exists, else the installed one when that exists, else the
// build-tree one (so that a message names where the file was looked for).
std::filesystem::path FirstFolder(const std::filesystem::path& buildTree, const std::filesystem::path& installed) {
    std::error_code ec;
    if (std::filesystem::is_directory(buildTree, ec)) return buildTree;
    if (std::filesystem::is_directory(installed, ec)) return installed.lexically_normal();
    return buildTree;
}

}  // namespace

std::filesystem::path ProgramDataFolder(const std::string& name, const std::filesystem::path& programFolder) {
    return FirstFolder(programFolder / name, programFolder / kInstalledDataFolder / name);
}

std::filesystem::path ProgramLibraryFolder(const std::filesystem::path& programFolder) {
    return FirstFolder(programFolder / "SDK", programFolder / kInstalledLibraryFolder);
}

std::filesystem::path DefaultDataFolder(const std::string& override) {
    return override.empty() ? ProgramDataFolder("DefaultData") : std::filesystem::path(override);
}

}  // namespace morvek
