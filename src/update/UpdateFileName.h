#pragma once
// Where a row's download is stored: "UpdateData" in the program's cache folder, a file named
// after the row.

#include <filesystem>
#include <string>

namespace morvek::update {

inline constexpr const char* kUpdateFolderName = "UpdateData";

// "UpdateData" in the user's cache folder ($XDG_CACHE_HOME, else ~/.cache, and the product's
// folder).
std::filesystem::path UpdateCacheFolder();

// The file name for a row: its name with every character that could lead out of the folder or
// hide the file left out (separators, control characters, leading dots and blanks), at most 64
// bytes of it ("update" when nothing is left), then the extension of the download address's
// last path segment (letters and digits, at most 10) or "exe".
std::string LocalFileName(const std::string& rowName, const std::string& downloadAddress);

}  // namespace morvek::update
