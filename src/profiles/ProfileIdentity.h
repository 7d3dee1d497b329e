#pragma once
// The identity of a profile document that has to be written anew (it was missing or damaged):
// its "profileUUID" is the stem of its file name, its "profilename" what the profile list in
// the same folder calls it.

#include <json/value.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace morvek {

// The name the list in folder gives the profile uuid; empty when no entry names it.
std::string ListedProfileName(const std::filesystem::path& folder, std::string_view uuid);

// {"profilename": ..., "profileUUID": ...} for the document at path.
Json::Value DocumentIdentity(const std::filesystem::path& document);

}  // namespace morvek
