#pragma once
// "updatetime.config" in the per-user data folder: the date of the last update check,
// {"updatelasttime": {"value": "2026-12-1"}} (local date, "%d-%d-%d").

#include <filesystem>
#include <string>

namespace morvek::update {

inline constexpr const char* kScheduleFileName = "updatetime.config";

std::string DateText(int year, int month, int day);
// Today's local date as DateText.
std::string TodayText();

// The date a settings window shows as the last check: the stored one, or, when the file holds
// none, today's, which is then written.
std::string OpenSchedule(const std::filesystem::path& file, const std::string& today);

// Stores date as the last check; the rest of the file stays. False when it cannot be written.
bool WriteCheckDate(const std::filesystem::path& file, const std::string& date);

}  // namespace morvek::update
