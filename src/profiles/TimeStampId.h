#pragma once
// Time-stamp identities: "%d_%02d_%02d_%02d_%02d_%02d_%03d" of the local time to the
// millisecond. They name profiles ("profileUUID") and macros ("Guid") and are the stems of
// their file names.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace morvek {

std::string TimeStampIdAt(std::chrono::system_clock::time_point when);
std::string MakeTimeStampId();

// A time-stamp id for a new file in folder: while folder / (id + extension) exists, the
// id of the next millisecond is taken, so two identities made in one millisecond differ.
std::string MakeUniqueTimeStampId(const std::filesystem::path& folder, std::string_view extension);

// True for a plain time-stamp id (digits and underscores in the id's shape), the only
// identities the program turns into file names.
bool IsPlainTimeStampId(std::string_view id);

}  // namespace morvek
