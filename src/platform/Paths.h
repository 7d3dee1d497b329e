#pragma once
// Where the program finds its folders: the per-user data folder and the read-only folders
// beside the program.

#include <filesystem>
#include <string>

namespace morvek {

// The product's folder name under the user's data folder.
inline constexpr const char* kProductFolderName = "Morvek gaming keyboard";

// The per-user data folder: override when not empty, else $MORVEK_DATA_DIR, else
// $XDG_DATA_HOME (default ~/.local/share) / "Morvek gaming keyboard".
std::filesystem::path UserDataFolder(const std::string& override = {});

// The folder of the running executable.
std::filesystem::path ProgramFolder();

// A read-only folder shipped with the program ("DefaultData", "skin", "SDK"): beside the
// executable, else <exe>/../share/morvek/<name> when installed.
std::filesystem::path ProgramDataFolder(const std::string& name);

// The "DefaultData" folder: override when not empty, else ProgramDataFolder("DefaultData").
std::filesystem::path DefaultDataFolder(const std::string& override = {});

}  // namespace morvek
