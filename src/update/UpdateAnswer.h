#pragma once
// What one query's answer means for a product: the update service's JSON answer turned into an
// UpdateInfo, with the row state from the version comparison.

#include <optional>
#include <string>

#include "devicelink/DeviceTables.h"
#include "update/UpdateInfo.h"

namespace morvek::update {

// The answer text of an exchange that could not send its request.
inline constexpr const char* kNoLinkServer = "NO_LINK_SERVER";

struct QueryOutcome {
    // The request could not be sent ("NO_LINK_SERVER"): counted as a failed query.
    bool noLink = false;
    // The answer, when it is a JSON object with a "version"; otherwise the row stays as prepared.
    std::optional<UpdateInfo> info;
};

// The version text a row shows for the product's current version: "V%04x" (hexadecimal rows),
// the identity's version text (decimal rows that have one), else "V%d".
std::string RowVersionText(const UpdateIdentity& identity);

// Interprets the exchange's result: answerBytes as the exchange returned it and the answer text.
// State 1 when the current version is below the offered one, else 7. "path", "name",
// "version_name", "version", "device_id" and the optional "sha256" are taken from the answer;
// the new version text is "V" and the version (hexadecimal rows) or the version name.
QueryOutcome InterpretAnswer(const UpdateIdentity& identity, int answerBytes, const std::string& answer);

}  // namespace morvek::update
