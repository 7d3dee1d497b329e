#pragma once
// Whole-file JSON reading and writing for the emulator's state files.

#include <json/value.h>

#include <string>

namespace morvek::emulator {

// False when the file is missing, unreadable or not valid JSON.
bool ReadJsonFile(const std::string& path, Json::Value& out);
// Writes a temporary file in the same folder, flushes it and renames it over the target,
// so a failed write never leaves a half-written file behind.
bool WriteJsonFile(const std::string& path, const Json::Value& value);

}  // namespace morvek::emulator
