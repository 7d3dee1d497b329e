#include "macros/MacroDeleteFlow.h"

#include <optional>
#include <string>
#include <vector>

#include "macros/MacroKeyFixup.h"
#include "platform/FileIo.h"
#include "profiles/BasicProfiledata.h"
#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"

namespace morvek {
namespace {

// The documents of the profile list that name a file.
std::vector<std::filesystem::path> ProfileDocuments(const std::filesystem::path& profileFolder) {
    std::vector<std::filesystem::path> documents;
    const Json::Value list = readjsonFile(ProfileListFile(profileFolder));
    for (const Json::Value& entry : Get(list, "profilelist")) {
        if (auto path = ProfileDocument(profileFolder, JsonString(Get(entry, "profileUUID"))))
            documents.push_back(std::move(*path));
    }
    return documents;
}

std::vector<KeyListEntry> KeysOf(CBasicProfiledata& profile, const std::filesystem::path& document) {
    profile.SetDocumentPath(document);
    profile.LoadDeviceSection(document);
    return profile.ReadKeyList();
}

struct SavedDocument {
    std::filesystem::path path;
    std::string oldContent;
};

void Restore(const std::vector<SavedDocument>& saved) {
    for (const SavedDocument& document : saved) WriteFileAtomically(document.path, document.oldContent);
}

}  // namespace

int CountKeysBoundToMacroInProfiles(const std::filesystem::path& profileFolder, int macro) {
    int count = 0;
    for (const auto& document : ProfileDocuments(profileFolder)) {
        CBasicProfiledata profile;
        count += CountKeysBoundToMacro(KeysOf(profile, document), macro);
    }
    return count;
}

int CountKeysBoundToMacroInProfile(const std::filesystem::path& profileFolder, const std::string& profileUUID,
                                   int macro) {
    const auto document = ProfileDocument(profileFolder, profileUUID);
    if (!document) return 0;
    CBasicProfiledata profile;
    return CountKeysBoundToMacro(KeysOf(profile, *document), macro);
}

MacroStatus DeleteMacroAndFixKeys(MacroListModel& model, const std::filesystem::path& profileFolder,
                                  MacroKeyChanges& changes) {
    changes = {};
    const int deleted = model.GetSelectedMacro();
    if (deleted < 0) return MacroStatus::NoSelection;

    std::vector<SavedDocument> saved;
    MacroKeyChanges counted;
    for (const auto& document : ProfileDocuments(profileFolder)) {
        const auto oldContent = ReadWholeFile(document, kMaxJsonFileBytes);
        if (!oldContent) continue;
        CBasicProfiledata profile;
        std::vector<KeyListEntry> keys = KeysOf(profile, document);
        const int freed = CountKeysBoundToMacro(keys, deleted);
        const int changed = FixKeysForDeletedMacro(keys, deleted);
        if (changed == 0) continue;
        profile.WriteKeyList(keys);
        if (!profile.Save()) {
            Restore(saved);
            return MacroStatus::WriteFailed;
        }
        saved.push_back({document, *oldContent});
        counted.keysFreed += freed;
        counted.keysRenumbered += changed - freed;
        ++counted.profiles;
    }
    const MacroDeleteResult result = model.DeleteMacro();
    if (result.status != MacroStatus::Ok) {
        Restore(saved);
        return result.status;
    }
    changes = counted;
    return MacroStatus::Ok;
}

}  // namespace morvek
