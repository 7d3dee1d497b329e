#pragma once
// Whole-file reads with a size limit and whole-file writes that replace the old file only
// once the new content is completely on disk. Each of them first waits for the write of the
// same file that FileWriteQueue may hold.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvek {

enum class FileReadState {
    kRead,        // the whole content is there
    kMissing,     // no file (or no folder) at the path
    kNotRegular,  // a folder, a FIFO, a device or a socket: never opened for reading
    kTooLarge,    // larger than the limit
    kUnreadable,  // a regular file that could not be opened or read
};

struct FileContent {
    FileReadState state = FileReadState::kMissing;
    std::string text;  // empty unless state is kRead
};

// Reads the whole file. Anything that is not a regular file is refused before it is opened,
// and the open never waits (a FIFO put in place of a file cannot block the caller).
FileContent ReadFileContent(const std::filesystem::path& path, size_t maxBytes);

// The whole content; nothing when the file is missing, unreadable, not a regular file or
// larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes);

// Writes a temporary file in the same folder, flushes it to disk and renames it over path.
// False (and the old file untouched) when any step fails, or when something other than a
// regular file (or a link) stands at path. The temporary file is named
// "." + file name + ".morvek-" + six letters or digits and is locked while it is written.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Removes a file; true when it is gone (or was not there).
bool RemoveFile(const std::filesystem::path& path);

// WriteFileAtomically without waiting for the file write queue (FileWriteQueue): its own thread.
bool WriteFileNow(const std::filesystem::path& path, std::string_view content);

// True for a name WriteFileAtomically gives its temporary files.
bool IsInterruptedWriteName(const std::string& fileName);

// Removes the temporary files that writes interrupted by a crash or a kill left in folder
// (not its sub-folders). A temporary file another process is still writing is locked and
// stays. The removed paths.
std::vector<std::filesystem::path> RemoveInterruptedWrites(const std::filesystem::path& folder);

// Moves a damaged file aside, beside itself: path + ".damaged", or ".damaged-2", ".damaged-3"
// ... when that name is taken. The new path; nothing when it could not be moved.
std::optional<std::filesystem::path> KeepDamagedFile(const std::filesystem::path& path);

}  // namespace morvek
