#pragma once
// The naming rules of the profile list. Names are UTF-8 and unique ignoring case.

#include <string>
#include <string_view>
#include <vector>

namespace morvek {

// Equal ignoring case, for any script with case (not just ASCII).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
bool NameTaken(const std::vector<std::string>& names, std::string_view name);
// A blank " ", or any other white space or control character (a tab or a line break would
// break every list that shows one name a line): such a name is refused like one with a blank.
bool NameHasBlank(std::string_view name);

// "profile%d" with the smallest number not taken.
std::string NewProfileName(const std::vector<std::string>& names);
// source + " copy", with " copy" appended again while the name is taken.
std::string CopyProfileName(const std::string& source, const std::vector<std::string>& names);
// base, then base + "(1)", then base + "(1)(2)", ... until the name is free.
std::string ImportProfileName(const std::string& base, const std::vector<std::string>& names);

}  // namespace morvek
