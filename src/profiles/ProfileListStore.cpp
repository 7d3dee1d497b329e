#include "profiles/ProfileListStore.h"

#include <system_error>

#include "devicelink/DeviceTables.h"
#include "platform/FileIo.h"
#include "platform/Trace.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"
#include "profiles/ProfileNames.h"
#include "profiles/TimeStampId.h"

namespace morvek {
namespace {

bool IsUsableList(const Json::Value& list) {
    const Json::Value& profiles = Get(list, "profilelist");
    return profiles.isArray() && !profiles.empty();
}

// A list that names nothing (no profile, or no "profilelist" at all) loses nothing when it is
// replaced; anything else that cannot be used is kept for the user.
bool ListNamesNothing(const Json::Value& list) {
    if (!list.isObject()) return false;
    const Json::Value& profiles = list["profilelist"];
    return profiles.isNull() || (profiles.isArray() && profiles.empty());
}

std::vector<std::string> NamesOf(const Json::Value& list) {
    std::vector<std::string> names;
    for (const ProfileEntry& e : ProfileListStore::EntriesOf(list)) names.push_back(e.name);
    return names;
}

Json::Value ListEntry(const std::string& name, const std::string& uuid) {
    Json::Value entry(Json::objectValue);
    entry["profilename"] = name;
    entry["profileUUID"] = uuid;
    entry["profileislink"] = 0;
    entry["profilelinkmame"] = "";
    return entry;
}

void RemoveProfileFile(const std::filesystem::path& path) {
    if (!RemoveFile(path)) Trace("cannot remove " + path.string());
}

}  // namespace

std::vector<ProfileEntry> ProfileListStore::EntriesOf(const Json::Value& list) {
    std::vector<ProfileEntry> entries;
    for (const Json::Value& e : Get(list, "profilelist"))
        entries.push_back({JsonString(Get(e, "profilename")), JsonString(Get(e, "profileUUID"))});
    return entries;
}

const char* ProfileMessageKey(ProfileStatus status) {
    switch (status) {
        case ProfileStatus::kNameEmpty: return "message_text_5_1";
        case ProfileStatus::kNameHasBlank: return "message_text_5_2";
        case ProfileStatus::kNameTaken: return "message_text_5";
        default: return nullptr;
    }
}

ProfileListStore::ProfileListStore(uint16_t kind, std::filesystem::path profileFolder,
                                   std::filesystem::path templatePath)
    : kind_(kind), folder_(std::move(profileFolder)), templatePath_(std::move(templatePath)) {}

Json::Value ProfileListStore::ReadList() const {
    Json::Value list = readjsonFile(ProfileListFile(folder_));
    // A list broken or removed since it was loaded is written back from memory.
    return IsUsableList(list) ? list : list_;
}

bool ProfileListStore::WriteList(const Json::Value& list) {
    if (WriteJsonFile(ProfileListFile(folder_), list) != 0) return false;
    list_ = list;
    entries_ = EntriesOf(list_);
    return true;
}

std::optional<std::filesystem::path> ProfileListStore::DocumentOf(const std::string& uuid) const {
    return ProfileDocument(folder_, uuid);
}

std::optional<std::filesystem::path> ProfileListStore::CurrentDocumentPath() const {
    return selected_ >= 0 ? DocumentOf(currentUuid_) : std::nullopt;
}

int ProfileListStore::StoredSelection() const { return static_cast<int>(JsonInteger(Get(list_, "profileselect"))); }

ProfileStatus ProfileListStore::AppendProfile(Json::Value list, const std::string& name, Json::Value document,
                                              bool select) {
    const std::string uuid = MakeUniqueTimeStampId(folder_, kProfileDocumentExtension);
    const std::filesystem::path path = *DocumentOf(uuid);
    Member(document, "profilename") = name;
    Member(document, "profileUUID") = uuid;
    if (WriteJsonFile(path, document) != 0) return ProfileStatus::kWriteFailed;
    Json::Value& profiles = Member(list, "profilelist");
    if (!profiles.isArray()) profiles = Json::Value(Json::arrayValue);
    profiles.append(ListEntry(name, uuid));
    if (select) list["profileselect"] = Json::Int(profiles.size() - 1);
    if (!WriteList(list)) {
        RemoveProfileFile(path);
        return ProfileStatus::kWriteFailed;
    }
    return ProfileStatus::kOk;
}

ProfileStatus ProfileListStore::LoadProfileList() {
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    if (ec) {
        Trace("cannot make " + folder_.string() + ": " + ec.message());
        return ProfileStatus::kWriteFailed;
    }
    damagedListKept_.reset();
    const std::filesystem::path file = ProfileListFile(folder_);
    const JsonFileRead read = ReadJsonFile(file);
    if (read.state == JsonFileState::kNotRegular) return ProfileStatus::kNotAFile;
    Json::Value list = read.value;
    if (IsUsableList(list)) {
        list_ = list;
        entries_ = EntriesOf(list_);
    } else {
        const bool damaged = read.state == JsonFileState::kDamaged ||
                             (read.state == JsonFileState::kRead && !ListNamesNothing(list));
        if (damaged) {
            // The documents it names stay where they are; the list itself is kept beside the new one.
            damagedListKept_ = KeepDamagedFile(file);
            if (!damagedListKept_) return ProfileStatus::kWriteFailed;
            Trace("damaged profile list kept as " + damagedListKept_->string());
        }
        if (!list.isObject()) list = Json::Value(Json::objectValue);
        list["profilelist"] = Json::Value(Json::arrayValue);
        const ProfileStatus created = AppendProfile(list, "profile1", readjsonFile(templatePath_), true);
        if (created != ProfileStatus::kOk) return created;
    }
    const Json::Value& stored = Get(list_, "profileselect");
    int index = stored.isIntegral() ? static_cast<int>(JsonInteger(stored)) : 0;
    if (index < 0 || index >= static_cast<int>(entries_.size())) index = 0;
    return SelectProfile(index);
}

ProfileStatus ProfileListStore::SelectProfile(int index) {
    Json::Value list = ReadList();
    if (index < 0 || index >= static_cast<int>(Get(list, "profilelist").size())) return ProfileStatus::kBadIndex;
    const Json::Value& stored = Get(list, "profileselect");
    if (stored.isIntegral() && JsonInteger(stored) == index) {
        list_ = list;
        entries_ = EntriesOf(list_);
    } else {
        list["profileselect"] = index;
        if (!WriteList(list)) return ProfileStatus::kWriteFailed;
    }
    selected_ = index;
    currentUuid_ = entries_[static_cast<size_t>(index)].uuid;
    return ProfileStatus::kOk;
}

ProfileStatus ProfileListStore::AddProfile() {
    Json::Value list = ReadList();
    if (!IsUsableList(list)) return ProfileStatus::kNoSelection;
    if (list["profilelist"].size() >= Json::ArrayIndex(kMaxProfiles)) return ProfileStatus::kListFull;
    return AppendProfile(list, NewProfileName(NamesOf(list)), readjsonFile(templatePath_), true);
}

ProfileStatus ProfileListStore::DeleteProfile() {
    Json::Value list = ReadList();
    const int count = static_cast<int>(Get(list, "profilelist").size());
    if (selected_ < 0 || selected_ >= count) return ProfileStatus::kNoSelection;
    if (count < 2) return ProfileStatus::kLastProfile;
    const int next = selected_ == 0 ? 0 : selected_ - 1;
    Json::Value removed;
    list["profilelist"].removeIndex(static_cast<Json::ArrayIndex>(selected_), &removed);
    list["profileselect"] = next;
    if (!WriteList(list)) return ProfileStatus::kWriteFailed;
    if (const auto document = DocumentOf(JsonString(Get(removed, "profileUUID")))) RemoveProfileFile(*document);
    selected_ = next;
    currentUuid_ = entries_[static_cast<size_t>(next)].uuid;
    return ProfileStatus::kOk;
}

ProfileStatus ProfileListStore::CopyProfile() {
    Json::Value list = ReadList();
    const std::vector<ProfileEntry> entries = EntriesOf(list);
    if (selected_ < 0 || selected_ >= static_cast<int>(entries.size())) return ProfileStatus::kNoSelection;
    const ProfileEntry& source = entries[static_cast<size_t>(selected_)];
    const auto sourcePath = DocumentOf(source.uuid);
    Json::Value document = sourcePath ? readjsonFile(*sourcePath) : Json::Value();
    return AppendProfile(list, CopyProfileName(source.name, NamesOf(list)), document, false);
}

ProfileStatus ProfileListStore::ImportProfile(const std::filesystem::path& file) {
    Json::Value list = ReadList();
    if (!IsUsableList(list)) return ProfileStatus::kNoSelection;
    Json::Value document = readjsonFile(file);
    if (!Get(document, "profilename").isString() || !document.isMember("profileUUID"))
        return ProfileStatus::kNotAProfile;
    const std::string name = ImportProfileName(document["profilename"].asString(), NamesOf(list));
    return AppendProfile(list, name, document, false);
}

ProfileStatus ProfileListStore::ExportProfile(const std::filesystem::path& file) const {
    const std::vector<ProfileEntry> entries = EntriesOf(ReadList());
    if (selected_ < 0 || selected_ >= static_cast<int>(entries.size())) return ProfileStatus::kNoSelection;
    const auto path = DocumentOf(entries[static_cast<size_t>(selected_)].uuid);
    const Json::Value document = path ? readjsonFile(*path) : Json::Value();
    if (document.isNull()) return ProfileStatus::kNoDocument;
    return WriteJsonFile(file, document) == 0 ? ProfileStatus::kOk : ProfileStatus::kWriteFailed;
}

ProfileStatus ProfileListStore::ResetProfile() {
    const std::vector<ProfileEntry> entries = EntriesOf(ReadList());
    if (selected_ < 0 || selected_ >= static_cast<int>(entries.size())) return ProfileStatus::kNoSelection;
    const ProfileEntry& entry = entries[static_cast<size_t>(selected_)];
    const auto path = DocumentOf(entry.uuid);
    if (!path) return ProfileStatus::kNoDocument;
    // Without the defaults a reset would only wipe the profile's settings.
    Json::Value document = readjsonFile(templatePath_);
    if (!document.isObject()) return ProfileStatus::kNoTemplate;
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.uuid;
    if (kind_ == kKindHeadset) {
        const Json::Value current = readjsonFile(*path);
        const Json::Value& section = At(Get(current, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            if (!Get(section, key).isNull()) Member(Element(Member(document, "Device"), 0), key) = section[key];
        }
    }
    return WriteJsonFile(*path, document) == 0 ? ProfileStatus::kOk : ProfileStatus::kWriteFailed;
}

ProfileStatus ProfileListStore::RenameProfile(const std::string& name) {
    if (name.empty()) return ProfileStatus::kNameEmpty;
    if (NameHasBlank(name)) return ProfileStatus::kNameHasBlank;
    Json::Value list = ReadList();
    const std::vector<ProfileEntry> entries = EntriesOf(list);
    if (selected_ < 0 || selected_ >= static_cast<int>(entries.size())) return ProfileStatus::kNoSelection;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (static_cast<int>(i) != selected_ && SameNameIgnoringCase(entries[i].name, name))
            return ProfileStatus::kNameTaken;
    }
    // The document first: when the list cannot be written, its old content goes back.
    const auto path = DocumentOf(entries[static_cast<size_t>(selected_)].uuid);
    const Json::Value oldDocument = path ? readjsonFile(*path) : Json::Value();
    if (oldDocument.isObject()) {
        Json::Value document = oldDocument;
        document["profilename"] = name;
        if (WriteJsonFile(*path, document) != 0) return ProfileStatus::kWriteFailed;
    }
    Member(list["profilelist"][static_cast<Json::ArrayIndex>(selected_)], "profilename") = name;
    if (!WriteList(list)) {
        if (oldDocument.isObject()) WriteJsonFile(*path, oldDocument);
        return ProfileStatus::kWriteFailed;
    }
    return ProfileStatus::kOk;
}

}  // namespace morvek
