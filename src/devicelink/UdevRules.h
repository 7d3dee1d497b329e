#pragma once
// The udev rule file that lets the logged-in user open the hidraw nodes of every product in
// the device tables.

#include <string>

namespace morvek {

// The file name the rule is installed under (in /etc/udev/rules.d or /usr/lib/udev/rules.d).
inline constexpr const char* kUdevRulesFileName = "70-morvek.rules";

// One line per distinct vendor and product id of the interface match table (rows whose ids are
// not assigned yet are left out), each granting the seat's user access ("uaccess").
std::string UdevRules();

// What to do about a device that is present but that this user may not open.
std::string AccessDeniedHint();

}  // namespace morvek
