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
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path ProgramDataFolder(const std::string& name) {
    const auto beside = ProgramFolder() / name;
    std::error_code ec;
    if (std::filesystem::is_directory(beside, ec)) return beside;
    const auto installed = ProgramFolder().parent_path() / "share" / "morvek" / name;
    if (std::filesystem::is_directory(installed, ec)) return installed;
    return beside;
}

std::filesystem::path DefaultDataFolder(const std::string& override) {
    return override.empty() ? ProgramDataFolder("DefaultData") : std::filesystem::path(override);
}

}  // namespace morvek
