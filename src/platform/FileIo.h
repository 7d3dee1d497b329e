#pragma once
// Whole-file reads with a size limit and whole-file writes that replace the old file only
// once the new content is completely on disk. Each of them first waits for the write of the
// same file that FileWriteQueue may hold.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvek {

// The whole content; nothing when the file is missing, unreadable, not a regular file or
// larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes);

// Writes a temporary file in the same folder, flushes it to disk and renames it over path.
// False (and the old file untouched) when any step fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Removes a file; true when it is gone (or was not there).
bool RemoveFile(const std::filesystem::path& path);

// WriteFileAtomically without waiting for the file write queue (FileWriteQueue): its own thread.
bool WriteFileNow(const std::filesystem::path& path, std::string_view content);

}  // namespace morvek
