#pragma once
// Integers read from hand-editable JSON: macro and shoot files hold numbers either as JSON
// numbers or as decimal text ("Delay": 25 and "Delay": "25" mean the same).

#include <json/value.h>

#include <string_view>

namespace morvek {

// The leading decimal integer of text (blanks, an optional sign, digits), as a C library
// would read it; 0 when there is none. Saturates instead of overflowing.
long long IntegerOfText(std::string_view text);

// A JSON number (fractions cut off) or the leading integer of a string; 0 for anything else.
long long JsonIntegerOrText(const Json::Value& value);

}  // namespace morvek
