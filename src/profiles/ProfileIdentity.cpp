#include "profiles/ProfileIdentity.h"

#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "profiles/ProfileFiles.h"

namespace morvek {

std::string ListedProfileName(const std::filesystem::path& folder, std::string_view uuid) {
    const Json::Value list = readjsonFile(ProfileListFile(folder));
    for (const Json::Value& entry : Get(list, "profilelist")) {
        if (JsonString(Get(entry, "profileUUID")) == uuid) return JsonString(Get(entry, "profilename"));
    }
    return {};
}

Json::Value DocumentIdentity(const std::filesystem::path& document) {
    const std::string uuid = document.stem().string();
    Json::Value identity(Json::objectValue);
    identity["profilename"] = ListedProfileName(document.parent_path(), uuid);
    identity["profileUUID"] = uuid;
    return identity;
}

}  // namespace morvek
