#pragma once
// What became of loading a profile document into a device model: where its settings came
// from, and what went wrong on the way, so that the caller can tell the user.

#include <filesystem>
#include <optional>

namespace morvek {

enum class ProfileLoad {
    kLoaded,        // the document's own settings
    kFromTemplate,  // the document had no settings section: the template's was taken (and written into it)
    kReplaced,      // the document was damaged: kept beside itself, rewritten from the template with its name and identity
    kNoSettings,    // neither the document nor the template holds settings: nothing to work with
    kNotAFile,      // a folder, FIFO, device or socket stands in place of the document: not read
};

struct ProfileLoadReport {
    ProfileLoad outcome = ProfileLoad::kLoaded;
    std::filesystem::path document;            // the document's path (empty: the identity names no file)
    std::optional<std::filesystem::path> kept;  // where a damaged document was kept
    bool damaged = false;                       // the document was there but could not be read

    // The load did not give the profile's own settings and the user is to be told.
    bool Failed() const {
        return damaged || outcome == ProfileLoad::kNoSettings || outcome == ProfileLoad::kNotAFile;
    }
};

}  // namespace morvek
