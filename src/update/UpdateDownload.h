#pragma once
// The download of one update: the size the server announces (HEAD), the file (GET) stored in a
// temporary file beside its final place, checked and only then given its name.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "update/HttpClient.h"

namespace morvek::update {

enum class DownloadResult {
    kDone,
    kNoSize,           // the server announced no size (or refused the HEAD request)
    kTransferFailed,   // no connection, an error status or a broken transfer
    kSizeMismatch,     // more or fewer bytes than announced
    kHashMismatch,     // the SHA-256 differs from the one the answer gave
    kCannotWrite,      // the file could not be written
    kCancelled,
};

// In words, for traces and the command line.
const char* DescribeDownloadResult(DownloadResult result);

// Called after each block with the announced size and the bytes so far.
using DownloadProgress = std::function<void(uint64_t expected, uint64_t done)>;

// Stores the file at address as file (the folder is made when missing). sha256 (lower-case hex)
// is checked when not empty. On any failure neither file nor its temporary file is left.
DownloadResult DownloadUpdate(const HttpOptions& options, const std::string& address,
                              const std::filesystem::path& file, const std::string& sha256,
                              const DownloadProgress& progress);

}  // namespace morvek::update
