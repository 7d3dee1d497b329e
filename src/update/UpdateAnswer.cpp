#include "update/UpdateAnswer.h"

#include <algorithm>
#include <cctype>

#include "profiles/JsonAccess.h"
#include "profiles/JsonFile.h"
#include "update/UpdateRequest.h"

namespace morvek::update {

std::string RowVersionText(const UpdateIdentity& identity) {
    if (identity.hexVersion == 0 && !identity.versionText.empty()) return identity.versionText;
    return CurrentVersionText(identity);
}

QueryOutcome InterpretAnswer(const UpdateIdentity& identity, int answerBytes, const std::string& answer) {
    QueryOutcome outcome;
    if (answerBytes <= 0) {
        outcome.noLink = answer == kNoLinkServer;
        return outcome;
    }
    const Json::Value root = ParseJsonText(answer).value_or(Json::Value());
    if (!root.isObject() || !root.isMember("version")) return outcome;

    const bool hexadecimal = identity.hexVersion != 0;
    UpdateInfo info;
    info.downloadAddress = JsonString(Get(root, "path"));
    info.name = JsonString(Get(root, "name"));
    info.versionName = JsonString(Get(root, "version_name"));
    const Json::Value& deviceId = Get(root, "device_id");
    info.deviceId = static_cast<int>(deviceId.isString() ? OfferedVersionNumber(deviceId.asString(), false)
                                                         : JsonInteger(deviceId));
    info.sha256 = JsonString(Get(root, "sha256"));
    std::transform(info.sha256.begin(), info.sha256.end(), info.sha256.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const Json::Value& versionValue = Get(root, "version");
    const std::string version =
        versionValue.isNumeric() ? std::to_string(JsonInteger(versionValue)) : JsonString(versionValue);
    info.currentVersionText = RowVersionText(identity);
    info.newVersionText = hexadecimal ? "V" + version : info.versionName;
    info.state = identity.version < OfferedVersionNumber(version, hexadecimal) ? kRowOffered : kRowUpToDate;
    outcome.info = std::move(info);
    return outcome;
}

}  // namespace morvek::update
