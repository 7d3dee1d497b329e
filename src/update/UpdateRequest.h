#pragma once
// The texts a product's query is made of: its application key, the version texts of a row and
// the form body sent to the update service; and the installed version of the application.

#include <cstdint>
#include <string>
#include <string_view>

#include "devicelink/DeviceTables.h"

namespace morvek::update {

// "%s_%d_%s_%s_%d" of the project code, hexadecimal-version number, product code, model code and
// key number; "NULL" for an identity whose version is 0 (such identities are not queried).
std::string ApplicationKey(const UpdateIdentity& identity);

// "V%04x" of the version (hexadecimal rows) or "V%d" (decimal rows).
std::string CurrentVersionText(const UpdateIdentity& identity);

// "app_key=KEY&version=%x" (hexadecimal rows) or "...&version=%d" (decimal rows), UTF-8.
std::string QueryBody(const UpdateIdentity& identity);

// A version text such as "1.0.5" as a number: the dots removed, the digits that follow read as a
// decimal number (105). 0 for a text without leading digits or too large a number.
int InstalledVersionNumber(std::string_view text);

// A version number the service sent, read as hexadecimal (hexadecimal rows) or decimal; 0 for a
// text without digits.
int64_t OfferedVersionNumber(std::string_view text, bool hexadecimal);

}  // namespace morvek::update
