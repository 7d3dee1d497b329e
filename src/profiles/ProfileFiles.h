#pragma once
// Where the profiles of a device kind live: one folder per kind in the per-user data folder
// holding the list file and one document per profile, and one template per kind in the
// read-only "DefaultData" folder.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace morvek {

inline constexpr const char* kProfileListFileName = "ProfileList.ini";  // JSON despite its name
inline constexpr const char* kProfileDocumentExtension = ".Json";

// userDataFolder / kind name ("keyboard", "mouse", "MousePad", "HD"); empty for other kinds.
std::filesystem::path ProfileFolder(const std::filesystem::path& userDataFolder, uint16_t kind);
// defaultDataFolder / kind name + ".Json"; empty for other kinds.
std::filesystem::path ProfileTemplate(const std::filesystem::path& defaultDataFolder, uint16_t kind);
std::filesystem::path ProfileListFile(const std::filesystem::path& profileFolder);
// profileFolder / uuid + ".Json", only for a plain time-stamp id: any other identity names no
// file, so a tampered list never makes the program read, write or delete files elsewhere.
std::optional<std::filesystem::path> ProfileDocument(const std::filesystem::path& profileFolder,
                                                     std::string_view uuid);

// The folders the program writes its data files into: userDataFolder itself and the folder of
// each device kind.
std::vector<std::filesystem::path> UserDataFolders(const std::filesystem::path& userDataFolder);
// Removes what writes interrupted by a crash or a kill left in those folders (only the
// temporary files of the program's own writes); the removed paths.
std::vector<std::filesystem::path> CleanUpInterruptedWrites(const std::filesystem::path& userDataFolder);

}  // namespace morvek
