#pragma once
// Tolerant access to parsed documents: a profile or configuration file may hold anything, so
// readers never throw and never fail. A value of the wrong type reads like an absent one, and a
// writer replaces a container of the wrong type by one of the right type.

#include <json/value.h>

#include <cstdint>
#include <string>

namespace morvek {

// parent[key] when parent is an object, else a null value.
const Json::Value& Get(const Json::Value& parent, const char* key);
// parent[index] when parent is an array holding it, else a null value.
const Json::Value& At(const Json::Value& parent, Json::ArrayIndex index);

// parent[key], turning parent into an object first when it is not one.
Json::Value& Member(Json::Value& parent, const char* key);
// parent[index], turning parent into an array first when it is not one (grows it with nulls).
Json::Value& Element(Json::Value& parent, Json::ArrayIndex index);

// The integer of a number or a boolean; 0 for anything else. Fractions are cut.
int64_t JsonInteger(const Json::Value& value);
// A boolean, or a number other than 0; false for anything else.
bool JsonBool(const Json::Value& value);
// The text of a string value; empty for anything else.
std::string JsonString(const Json::Value& value);

inline uint8_t JsonByte(const Json::Value& value) { return static_cast<uint8_t>(JsonInteger(value)); }
inline uint16_t JsonWord(const Json::Value& value) { return static_cast<uint16_t>(JsonInteger(value)); }

}  // namespace morvek
