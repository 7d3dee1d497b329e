#pragma once
// The profile list of one device kind: "ProfileList.ini" in the kind's profile folder and one
// document per profile. The profile bar of a device page delegates its list operations here;
// the command line uses it directly.
//
// Every operation re-reads the list file, changes it and writes it whole. An operation either
// completes or changes nothing: documents are written before the list that names them, and a
// failed list write takes back the document written for it.

#include <json/value.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvek {

enum class ProfileStatus {
    kOk,
    kWriteFailed,    // a file could not be written or the folder made; nothing was changed
    kNoSelection,    // no profile is selected: the list was not loaded
    kBadIndex,       // no profile has that index
    kListFull,       // add: the list already holds kMaxProfiles profiles
    kLastProfile,    // delete: the last profile cannot be deleted
    kNotAProfile,    // import: not a document with a "profilename" text and a "profileUUID"
    kNoDocument,     // export, reset: the profile has no readable document
    kNoTemplate,     // reset: the kind's template cannot be read
    kNameEmpty,      // rename: "message_text_5_1"
    kNameHasBlank,   // rename: "message_text_5_2"
    kNameTaken,      // rename: "message_text_5"
    kNotAFile,       // the list file is a folder, FIFO, device or socket: nothing was read or written
};

// The text key of the message the window shows for a refused name; nullptr for other statuses.
const char* ProfileMessageKey(ProfileStatus status);

struct ProfileEntry {
    std::string name;  // UTF-8
    std::string uuid;  // the profile's time-stamp id as the list holds it
};

class ProfileListStore {
public:
    // Add stops here; copy and import may go beyond it.
    static constexpr int kMaxProfiles = 50;

    ProfileListStore(uint16_t kind, std::filesystem::path profileFolder, std::filesystem::path templatePath);

    // Reads the list, or on first use (no list, an unreadable one or an empty one) makes the
    // folder, "profile1" from the template and the list; then selects the stored profile.
    // A damaged list is not overwritten: it is kept beside the new one (DamagedListKept).
    ProfileStatus LoadProfileList();
    // Where the last load kept a damaged list file; the user is to be told.
    const std::optional<std::filesystem::path>& DamagedListKept() const { return damagedListKept_; }
    // Selects a profile and stores the selection in the list file.
    ProfileStatus SelectProfile(int index);
    // -1 before the list is loaded.
    int GetSelectedIndex() const { return selected_; }
    const std::string& GetCurrentProfileUUID() const { return currentUuid_; }
    // The selected profile's document; nothing when its identity names no file.
    std::optional<std::filesystem::path> CurrentDocumentPath() const;
    // The stored selection of the list as last read or written.
    int StoredSelection() const;
    const std::vector<ProfileEntry>& Profiles() const { return entries_; }

    // A new profile "profile%d" from the template. It becomes the stored selection (taken at
    // the next load); the current selection stays.
    ProfileStatus AddProfile();
    // Deletes the selected profile and its document; the profile before it (or the first one)
    // becomes selected.
    ProfileStatus DeleteProfile();
    // A copy of the selected profile named "<name> copy"; the selection stays.
    ProfileStatus CopyProfile();
    // Adds the profile document in file under a new identity; the selection stays.
    ProfileStatus ImportProfile(const std::filesystem::path& file);
    // Writes the selected profile's document to file.
    ProfileStatus ExportProfile(const std::filesystem::path& file) const;
    // Replaces the selected profile's document by the template, keeping its name and identity
    // (and the headset's user equalisers).
    ProfileStatus ResetProfile();
    // Renames the selected profile. Refuses an empty name, a name with a blank and a name
    // another profile has, ignoring case.
    ProfileStatus RenameProfile(const std::string& name);

    // The entries of a parsed list ("profilelist" names and identities, as text or empty).
    static std::vector<ProfileEntry> EntriesOf(const Json::Value& list);

    uint16_t Kind() const { return kind_; }
    const std::filesystem::path& Folder() const { return folder_; }
    const std::filesystem::path& TemplatePath() const { return templatePath_; }

private:
    Json::Value ReadList() const;
    bool WriteList(const Json::Value& list);
    ProfileStatus AppendProfile(Json::Value list, const std::string& name, Json::Value document, bool select);
    std::optional<std::filesystem::path> DocumentOf(const std::string& uuid) const;

    uint16_t kind_;
    std::filesystem::path folder_;
    std::filesystem::path templatePath_;
    Json::Value list_;
    std::vector<ProfileEntry> entries_;
    int selected_ = -1;
    std::string currentUuid_;
    std::optional<std::filesystem::path> damagedListKept_;
};

}  // namespace morvek
