#pragma once
// UpdateInfo: what the update service answered for one product, and the model of one row of the
// update list (row states, the download address and where the download is stored).

#include <filesystem>
#include <string>

namespace morvek::update {

// Row states of the update list.
enum RowState : int {
    kRowLess = 0,         // shown without a tick
    kRowOffered = 1,      // a newer version exists
    kRowOffered2 = 2,     // the same, as the service may also say it
    kRowQueued = 3,       // confirmed, waiting for its download
    kRowDownloading = 4,
    kRowDownloaded = 5,
    kRowInstalling = 6,   // handed to its installer
    kRowUpToDate = 7,
    kRowFailed = 8,       // the download or the start failed; it can be downloaded again
    kRowNotReached = 9,   // the query could not reach the update service: nothing is known
};

// Why a row failed: a failed row says so in its status text.
enum class RowFailure { kNone, kDownload, kNotRunnable, kLaunch };

// The device id of an application installer.
inline constexpr int kApplicationDeviceId = 1;

struct UpdateInfo {
    int state = kRowUpToDate;
    int deviceId = 0;
    std::string name;
    std::string currentVersionText;
    std::string versionName;
    std::string newVersionText;
    std::string downloadAddress;
    std::filesystem::path localFile;
    // Lower-case hex SHA-256 the download must have; empty when the answer gives none.
    std::string sha256;
    RowFailure failure = RowFailure::kNone;
};

}  // namespace morvek::update
