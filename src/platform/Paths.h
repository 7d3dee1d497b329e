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

// The folder of the running executable (from /proc/self/exe, never the working folder); empty
// when it cannot be read.
std::filesystem::path ProgramFolder();

// Where the shared data and the program's own libraries are installed, relative to the folder
// of the executables (<prefix>/bin).
inline constexpr const char* kInstalledDataFolder = "../share/morvek";
inline constexpr const char* kInstalledLibraryFolder = "../lib/morvek";

// A read-only folder shipped with the program ("DefaultData", "skin", "Font") for executables
// in programFolder: programFolder/<name> in the build tree, else
// programFolder/../share/morvek/<name> when installed; the build-tree place when neither exists.
std::filesystem::path ProgramDataFolder(const std::string& name,
                                        const std::filesystem::path& programFolder = ProgramFolder());

// The folder of the program's own libraries (the audio configuration library): programFolder/SDK
// in the build tree, else programFolder/../lib/morvek when installed; the build-tree place when
// neither exists.
std::filesystem::path ProgramLibraryFolder(const std::filesystem::path& programFolder = ProgramFolder());

// The "DefaultData" folder: override when not empty, else ProgramDataFolder("DefaultData").
std::filesystem::path DefaultDataFolder(const std::string& override = {});

}  // namespace morvek
